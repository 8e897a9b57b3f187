#include "calc/tirecompare.h"

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "tests/support/samplerecord.h"

namespace {

// Two sizes of about the same diameter: the figures of each, +0.4% within the guideline, and what a speedometer
// set for the first shows on the second.
TEST(CompareTires, SizesSideBySide)
{
    const TireComparison comparison =
        CompareTires(FiguresOf(*ParseTireSize("205/55R16")), FiguresOf(*ParseTireSize("225/45R17")));
    const TireFigures& first = comparison.first;
    EXPECT_EQ(CrtFormat("%.2f %.2f %.2f %.1f %.1f %.1f", {first.inches, comparison.second.inches, *first.sidewallMm,
                                                          first.circumferenceMm, first.revsPerMile, first.revsPerKm}),
              "24.88 24.97 112.75 1985.2 810.7 503.7");
    EXPECT_EQ(DescribeTireDifference(comparison), "Diameter +0.4%, within the usual \u00b13%.");
    EXPECT_NEAR(comparison.TrueSpeed(60), 60 * 24.97244094488189 / 24.87795275590551, 1e-9);
    EXPECT_EQ(*FiguresOf(*ParseTireSize("33x12.50R15")).sidewallMm, 9 * 25.4);
    EXPECT_EQ(*FiguresOf(*ParseTireSize("37-622")).sidewallMm, 37);
    EXPECT_FALSE(FiguresOfDiameter(26.4).sidewallMm);
    // Exactly 3% either way is still within.
    EXPECT_TRUE(CompareTires(FiguresOfDiameter(25), FiguresOfDiameter(25.75)).bWithinGuideline);
    EXPECT_TRUE(CompareTires(FiguresOfDiameter(100), FiguresOfDiameter(97)).bWithinGuideline);
    EXPECT_FALSE(CompareTires(FiguresOfDiameter(100), FiguresOfDiameter(96.9)).bWithinGuideline);
}

// B on a 26.4 in tire, 28.0 now with the same 3.53 rear end: beyond the guideline, the rear end that restores B's
// gearing, and the nearest ratios sold around it with their speedometer readings and the cruise RPM in top gear.
TEST(CompareTires, RegearingAfterABiggerTire)
{
    GearSettings setupB = SampleSettings();
    GearSettings now = setupB;
    now.m_fTireOD = 28.0F;
    const TireComparison comparison = CompareTires(FiguresOfDiameter(26.4), FiguresOfDiameter(28.0));
    EXPECT_EQ(DescribeTireDifference(comparison),
              "Diameter +6.1%, beyond the usual \u00b13%: the speedometer and the gearing change noticeably.");
    EXPECT_NEAR(comparison.TrueSpeed(30), 30 * 28.0 / 26.4, 1e-9);
    EXPECT_EQ(CrtFormat("%.3f", {*ComputeRestoringRearEnd(now, setupB)}), "3.744");
    const std::vector<AxleRatio> sold = {{"A", 4.10}, {"A", 3.73}, {"B", 3.73}, {"B", 3.55},
                                         {"B", 3.08}, {"A", 3.90}, {"C", 4.56}};
    std::string text;
    for (const RearEndChoice& choice : NearestRearEnds(now, setupB, CruiseSpeed{70}, sold)) {
        text += CrtFormat("%.2f", {choice.ratio}) + " " + std::to_string(choice.axles.size()) + " " +
                choice.speedometerAt60.Text() + " " + choice.rpmAtCruise.Text() + "|";
    }
    // Hand-computed: 60 x (ratio / 3.53) x (26.4 / 28.0); 5th gear (0.75) at 70 MPH.
    EXPECT_EQ(text, "3.55 1 56.9 2250|3.73 2 59.8 2364|3.90 1 62.5 2472|4.10 1 65.7 2599|");
    setupB.m_fTireOD = 0;
    EXPECT_FALSE(ComputeRestoringRearEnd(now, setupB));
    EXPECT_TRUE(NearestRearEnds(now, setupB, std::nullopt, sold).empty());
}

} // namespace

#include "calc/tirecompare.h"

#include <gtest/gtest.h>

#include "tests/support/samplerecord.h"

// The figures, the regearing and their words are held whole by the reports' snapshot; here, what lies at their edges.
TEST(CompareTires, SidewallsGuidelineAndRegearingEdges)
{
    EXPECT_EQ(*FiguresOf(*ParseTireSize("33x12.50R15")).sidewallMm, 9 * 25.4);
    EXPECT_EQ(*FiguresOf(*ParseTireSize("37-622")).sidewallMm, 37);
    EXPECT_FALSE(FiguresOfDiameter(26.4).sidewallMm);
    // Exactly 3% either way is still within.
    EXPECT_TRUE(CompareTires(FiguresOfDiameter(25), FiguresOfDiameter(25.75)).bWithinGuideline);
    EXPECT_TRUE(CompareTires(FiguresOfDiameter(100), FiguresOfDiameter(97)).bWithinGuideline);
    EXPECT_FALSE(CompareTires(FiguresOfDiameter(100), FiguresOfDiameter(96.9)).bWithinGuideline);
    EXPECT_NEAR(CompareTires(FiguresOfDiameter(26.4), FiguresOfDiameter(28)).TrueSpeed(30), 30 * 28.0 / 26.4, 1e-9);
    // Without B's tire nothing restores B's gearing, and no ratio is offered.
    GearSettings setupB = SampleSettings(), now = SampleSettings();
    now.m_fTireOD = 28.0F;
    setupB.m_fTireOD = 0;
    EXPECT_FALSE(ComputeRestoringRearEnd(now, setupB));
    EXPECT_TRUE(NearestRearEnds(now, setupB, std::nullopt, {{"A", 3.73}}).empty());
}

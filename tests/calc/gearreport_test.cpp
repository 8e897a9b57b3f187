#include "calc/gearreport.h"

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "calc/tiresize.h"
#include "numtext/numtext.h"
#include "tests/support/samplerecord.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Final drive 3.92, five speeds at 8000 RPM (members in declaration order): the record of the close-ratio checks.
GearSettings CloseRatioSettings(float fTire)
{
    return {8000.0F, 2.36F, 3.92F, fTire, 1.54F, 1.21F, 1.0F, 0.87F};
}

std::vector<std::string> Texts(const GearReport& report, Figure GearReportRow::*pFigure)
{
    std::vector<std::string> texts;
    for (const GearReportRow& row : report.rows)
        texts.push_back((row.*pFigure).Text());
    return texts;
}

TEST(GearReport, SampleAtSeventyMph)
{
    const GearReport report = BuildGearReport(SampleSettings(), ParseCruiseSpeed("70"));
    using Column = std::vector<std::string>;
    const SpeedTable speeds = SampleSpeeds();
    EXPECT_EQ(Texts(report, &GearReportRow::mph), Column(speeds.begin(), speeds.end()));
    const SpeedTable kmh = {"19.9", "26.7", "41.1", "53.4", "71.2", "N/A", "-18.4"};
    EXPECT_EQ(Texts(report, &GearReportRow::kmh), Column(kmh.begin(), kmh.end()));
    EXPECT_EQ(BuildKmhTable(SampleSettings()), kmh);
    EXPECT_EQ(Texts(report, &GearReportRow::rpmAtCruise),
              (Column{"8479", "6328", "4113", "3164", "2373", "N/A", "N/A"}));
    EXPECT_EQ(Texts(report, &GearReportRow::overallRatio),
              (Column{"9.4604", "7.06", "4.589", "3.53", "2.6475", "0", "10.237"}));
    EXPECT_EQ(Texts(report, &GearReportRow::mphPer1000Rpm),
              (Column{" 8.3", "11.1", "17.0", "22.1", "29.5", "N/A", "-7.6"}));
    EXPECT_EQ(Texts(report, &GearReportRow::differenceToB), Column(7, "N/A"));
    EXPECT_FALSE(report.speedometerAt60.value);

    // At the RPM the report gives, the calculator's own speed is the cruise speed again.
    for (const GearReportRow& row : report.rows) {
        if (!row.rpmAtCruise.value)
            continue;
        GearSettings atCruise = SampleSettings();
        atCruise.m_fRpm = static_cast<float>(*row.rpmAtCruise.value);
        EXPECT_NEAR(*ComputeGearSpeed(atCruise, atCruise[row.gear], false), 70.0, 0.02) << row.strName;
    }
}

TEST(ParseCruiseSpeed, UnitsAndRejects)
{
    const double k110Kmh = 110 / 1.609344;
    const std::vector<std::pair<const char*, double>> rows = {
        {"70", 70},          {" 70 mph ", 70},     {"70MPH", 70}, {"110 km/h", k110Kmh},
        {"110KMH", k110Kmh}, {"110 kph", k110Kmh}, {"0", 0},
    };
    for (const auto& [pszText, mph] : rows)
        EXPECT_NEAR(ParseCruiseSpeed(pszText).value_or(-1), mph, 1e-12) << pszText;
    for (const char* pszText : {"", "mph", "70 km", "-5", "1e999", "7O", "70 mph mph"})
        EXPECT_FALSE(ParseCruiseSpeed(pszText)) << pszText;
    EXPECT_EQ(FormatCruiseSpeedText(70), "70 MPH");
    EXPECT_EQ(FormatCruiseSpeedText(k110Kmh), "68.4 MPH");
}

// Setup B holds the sample; the current record changes what the row names. Differences are per gear with their
// sign; the speedometer follows tire and rear end only.
TEST(GearReport, ComparisonWithSetupB)
{
    const std::vector<std::tuple<GearValue, float, const char*, const char*>> rows = {
        {GearValue::TireOD, 28.0F, "+6.1%", "56.6"},
        {GearValue::RearEnd, 4.10F, "-13.9%", "69.7"},
        {GearValue::Rpm, 3000.0F, "+100.0%", "60.0"},
        {GearValue::TireOD, 0.0F, "N/A", "N/A"},
    };
    for (const auto& [value, fValue, pszDifference, pszSpeedometer] : rows) {
        GearSettings current = SampleSettings();
        current[value] = fValue;
        const GearReport report = BuildGearReport(current, std::nullopt, SampleSettings());
        std::vector<std::string> expected(7, pszDifference);
        expected[5] = "N/A"; // no sixth gear in either
        EXPECT_EQ(Texts(report, &GearReportRow::differenceToB), expected) << fValue;
        EXPECT_EQ(report.speedometerAt60.Text(), pszSpeedometer) << fValue;
    }
    GearSettings noRearEndB = SampleSettings();
    noRearEndB.m_fRearEnd = 0;
    EXPECT_FALSE(ComputeSpeedometerReading(SampleSettings(), noRearEndB));
    EXPECT_FALSE(ComputeSpeedDifference(SampleSettings(), noRearEndB, GearValue::Gear1));
}

// The shift drops, and the tire field that calibrates the speeds to 925 revs per mile.
TEST(CloseRatioBox, ShiftDropsAndCalibratedSpeeds)
{
    std::vector<std::tuple<int, int, std::string, std::string, std::string>> drops;
    for (const ShiftDrop& drop : ComputeShiftDrops(CloseRatioSettings(26.0F)))
        drops.emplace_back(drop.nFromGear, drop.nToGear, drop.rpmBefore.Text(), drop.rpmAfter.Text(), drop.drop.Text());
    EXPECT_EQ(drops, (decltype(drops){{1, 2, "8000", "5220", "2780"},
                                      {2, 3, "8000", "6286", "1714"},
                                      {3, 4, "8000", "6612", "1388"},
                                      {4, 5, "8000", "6960", "1040"}}));
    EXPECT_TRUE(ComputeShiftDrops(CloseRatioSettings(0.0F)).empty());

    const std::string strField = FormatTireFieldText(ComputeCalibratedTireDiameter(925).value_or(0));
    EXPECT_EQ(strField, "21.93");
    EXPECT_EQ(BuildSpeedTable(CloseRatioSettings(NarrowToFloat(*ParseFloatText(strField)))),
              (SpeedTable{"56.1", "86.0", "109.4", "132.4", "152.2", "N/A", "N/A"}));
    for (const double revs : {0.0, -925.0, kInfinity, std::nan(""), 1e-320})
        EXPECT_FALSE(ComputeCalibratedTireDiameter(revs)) << revs;
}

} // namespace

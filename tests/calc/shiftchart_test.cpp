#include "calc/shiftchart.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "calc/roadspeed.h"
#include "tests/support/samplerecord.h"

namespace {

std::vector<std::string> Texts(const std::vector<ShiftChartTick>& ticks)
{
    std::vector<std::string> texts;
    for (const ShiftChartTick& tick : ticks)
        texts.push_back(tick.text);
    return texts;
}

TEST(ShiftChart, SampleSettingsGiveTheSawtooth)
{
    const ShiftChart chart = ComputeShiftChart(SampleSettings());
    ASSERT_EQ(chart.gears.size(), 5U) << "sixth gear (0) is not fitted";
    ASSERT_EQ(chart.teeth.size(), 4U);
    const SpeedTable displays = SampleSpeeds();
    const double lowerEnds[] = {1119, 975, 1154, 1125};
    for (std::size_t i = 0; i < chart.teeth.size(); ++i) {
        const ShiftChartTooth& tooth = chart.teeth[i];
        EXPECT_EQ(tooth.nFromGear, int(i) + 1);
        EXPECT_EQ(tooth.nToGear, int(i) + 2);
        EXPECT_EQ(FormatSpeedText(tooth.mph), displays[i]);
        EXPECT_EQ(tooth.rpmTop, 1500.0);
        EXPECT_NEAR(tooth.rpmBottom, lowerEnds[i], 0.5);
    }
    EXPECT_EQ(FormatSpeedText(chart.gears.back().mph), displays[4]);
    EXPECT_EQ(chart.rpmMin, 0.0);
    EXPECT_EQ(chart.rpmMax, 1500.0);
    EXPECT_EQ(chart.mphMax, 50.0) << "room to the next round speed";
    EXPECT_EQ(Texts(chart.mphTicks), (std::vector<std::string>{"0", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(Texts(chart.kmhTicks), (std::vector<std::string>{"0", "20", "40", "60", "80"}));
    EXPECT_NEAR(chart.kmhTicks[1].value, 20 / kKilometresPerMile, 1e-9) << "km/h ticks sit at their speed";
    EXPECT_EQ(Texts(chart.rpmTicks), (std::vector<std::string>{"0", "500", "1000", "1500"}));
}

TEST(ShiftChart, AGearOfZeroIsSkipped)
{
    GearSettings settings = SampleSettings();
    settings.m_fGear3 = 0;
    const ShiftChart chart = ComputeShiftChart(settings);
    ASSERT_EQ(chart.teeth.size(), 3U);
    EXPECT_EQ(chart.teeth[1].nFromGear, 2);
    EXPECT_EQ(chart.teeth[1].nToGear, 4);
    EXPECT_NEAR(chart.teeth[1].rpmBottom, 750, 1e-9);
}

TEST(ShiftChart, NoSpeedsNoLines)
{
    for (GearValue zero : {GearValue::Rpm, GearValue::RearEnd, GearValue::TireOD}) {
        GearSettings settings = SampleSettings();
        settings[zero] = 0;
        const ShiftChart chart = ComputeShiftChart(settings);
        EXPECT_TRUE(chart.IsEmpty());
        EXPECT_TRUE(chart.teeth.empty());
        EXPECT_TRUE(chart.mphTicks.empty());
    }
    GearSettings infinite = SampleSettings();
    infinite.m_fRpm = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(ComputeShiftChart(infinite).IsEmpty());
}

// Values held after a failed range test are charted as they stand; the axes stay finite and bounded.
TEST(ShiftChart, AbsurdValuesKeepTheAxesSane)
{
    struct Row
    {
        GearValue value;
        float fValue;
    };
    for (const Row& row : {Row{GearValue::Rpm, 1e30F}, Row{GearValue::Gear1, 1e-30F}, Row{GearValue::Gear2, -2.0F},
                           Row{GearValue::Rpm, -20000.0F}, Row{GearValue::TireOD, 3e38F}}) {
        GearSettings settings = SampleSettings();
        settings[row.value] = row.fValue;
        const ShiftChart chart = ComputeShiftChart(settings);
        ASSERT_FALSE(chart.IsEmpty()) << row.fValue;
        EXPECT_GE(chart.mphMin, -kChartMphLimit);
        EXPECT_LE(chart.mphMax, kChartMphLimit);
        EXPECT_LT(chart.mphMin, chart.mphMax);
        EXPECT_GE(chart.rpmMin, -kChartRpmLimit);
        EXPECT_LE(chart.rpmMax, kChartRpmLimit);
        EXPECT_LT(chart.rpmMin, chart.rpmMax);
        EXPECT_LE(chart.mphTicks.size(), 8U);
        EXPECT_FALSE(chart.rpmTicks.empty());
    }
}

TEST(NiceTicks, RoundSteps)
{
    EXPECT_EQ(NiceTicks(0, 44.25, 6), (std::vector<double>{0, 10, 20, 30, 40}));
    EXPECT_EQ(NiceTicks(-12.4, 44.25, 6), (std::vector<double>{0, 20, 40}));
    EXPECT_EQ(NiceTicks(-12.4, 44.25, 8), (std::vector<double>{-10, 0, 10, 20, 30, 40}));
    EXPECT_EQ(NiceTicks(-20000, 0, 6), (std::vector<double>{-20000, -15000, -10000, -5000, 0}));
    EXPECT_EQ(NiceTicks(0, 1, 6), (std::vector<double>{0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}));
    EXPECT_TRUE(NiceTicks(5, 5, 6).empty());
    EXPECT_TRUE(NiceTicks(0, std::numeric_limits<double>::infinity(), 6).empty());
}

} // namespace

#include "calc/shiftchart.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "calc/roadspeed.h"
#include "tests/support/samplerecord.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

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
    const double lowerEnds[] = {1119, 975, 1154, 1125};
    for (std::size_t i = 0; i < chart.teeth.size(); ++i) {
        const ShiftChartTooth& tooth = chart.teeth[i];
        EXPECT_EQ(std::pair(tooth.nFromGear, tooth.nToGear), std::pair(int(i) + 1, int(i) + 2));
        EXPECT_EQ(FormatSpeedText(tooth.mph), SampleSpeeds()[i]);
        EXPECT_EQ(tooth.rpmTop, 1500.0);
        EXPECT_NEAR(tooth.rpmBottom, lowerEnds[i], 0.5);
    }
    EXPECT_EQ(FormatSpeedText(chart.gears.back().mph), SampleSpeeds()[4]);
    EXPECT_EQ(std::pair(chart.rpmMin, chart.rpmMax), std::pair(0.0, 1500.0));
    EXPECT_EQ(chart.mphMax, 50.0) << "room to the next round speed";
    EXPECT_EQ(Texts(chart.mphTicks), (std::vector<std::string>{"0", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(Texts(chart.kmhTicks), (std::vector<std::string>{"0", "20", "40", "60", "80"}));
    EXPECT_NEAR(chart.kmhTicks[1].value, 20 / kKilometresPerMile, 1e-9) << "km/h ticks sit at their speed";
    EXPECT_EQ(Texts(chart.rpmTicks), (std::vector<std::string>{"0", "500", "1000", "1500"}));

    // A gear of 0 is skipped: second gear shifts straight into fourth.
    GearSettings noThird = SampleSettings();
    noThird.m_fGear3 = 0;
    const ShiftChart skipped = ComputeShiftChart(noThird);
    ASSERT_EQ(skipped.teeth.size(), 3U);
    EXPECT_EQ(std::pair(skipped.teeth[1].nFromGear, skipped.teeth[1].nToGear), std::pair(2, 4));
    EXPECT_NEAR(skipped.teeth[1].rpmBottom, 750, 1e-9);
}

// With no speed to show there is nothing to chart; values held after a failed range test are charted as they
// stand, and the axes stay finite and bounded.
TEST(ShiftChart, NoSpeedsNoLinesAndAbsurdValuesKeepTheAxesSane)
{
    const std::vector<std::pair<GearValue, float>> empty = {
        {GearValue::Rpm, 0}, {GearValue::RearEnd, 0}, {GearValue::TireOD, 0}, {GearValue::Rpm, kInfinity}};
    for (const auto& [value, fValue] : empty) {
        GearSettings settings = SampleSettings();
        settings[value] = fValue;
        const ShiftChart chart = ComputeShiftChart(settings);
        EXPECT_TRUE(chart.IsEmpty() && chart.teeth.empty() && chart.mphTicks.empty()) << fValue;
    }
    const std::vector<std::pair<GearValue, float>> absurd = {{GearValue::Rpm, 1e30F},
                                                             {GearValue::Gear1, 1e-30F},
                                                             {GearValue::Gear2, -2.0F},
                                                             {GearValue::Rpm, -20000.0F},
                                                             {GearValue::TireOD, 3e38F}};
    for (const auto& [value, fValue] : absurd) {
        SCOPED_TRACE(fValue);
        GearSettings settings = SampleSettings();
        settings[value] = fValue;
        const ShiftChart chart = ComputeShiftChart(settings);
        ASSERT_FALSE(chart.IsEmpty());
        EXPECT_TRUE(-kChartMphLimit <= chart.mphMin && chart.mphMin < chart.mphMax && chart.mphMax <= kChartMphLimit)
            << chart.mphMin << " to " << chart.mphMax;
        EXPECT_TRUE(-kChartRpmLimit <= chart.rpmMin && chart.rpmMin < chart.rpmMax && chart.rpmMax <= kChartRpmLimit)
            << chart.rpmMin << " to " << chart.rpmMax;
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

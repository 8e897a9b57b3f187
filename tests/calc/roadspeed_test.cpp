#include "calc/roadspeed.h"

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/samplerecord.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Each row changes one value of the sample record; out-of-range values stay in the record after their prompt and
// are computed as they stand.
TEST(BuildSpeedTable, SampleWithOneValueChanged)
{
    const SpeedTable none = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
    const std::vector<std::tuple<GearValue, float, SpeedTable>> rows = {
        {GearValue::Rpm, 1500.0F, {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"}},
        {GearValue::Rpm, 0.0F, {" 0.0", " 0.0", " 0.0", " 0.0", " 0.0", "N/A", " 0.0"}}, // no minus sign
        {GearValue::Rpm, kInfinity, none},
        {GearValue::RearEnd, 0.0F, none},
        {GearValue::TireOD, 0.0F, none},
        {GearValue::Gear3, 0.0F, {"12.4", "16.6", "N/A", "33.2", "44.2", "N/A", "-11.4"}},
        {GearValue::Gear1, -2.68F, {"-12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"}},
        {GearValue::Gear2, kInfinity, {"12.4", " 0.0", "25.5", "33.2", "44.2", "N/A", "-11.4"}}, // 1500 / inf
    };
    for (const auto& [value, fValue, expected] : rows) {
        GearSettings settings = SampleSettings();
        settings[value] = fValue;
        EXPECT_EQ(BuildSpeedTable(settings), expected) << fValue;
    }
    EXPECT_EQ(SampleSpeeds(), std::get<2>(rows[0]));
    EXPECT_EQ(BuildSpeedTable(GearSettings{}), none);
}

TEST(BuildSpeedTable, WideSpeedsAreNotCut)
{
    GearSettings settings;
    settings.m_fRpm = 15000.0F;
    settings.m_fGear1 = 0.01F;
    settings.m_fRearEnd = 0.01F;
    settings.m_fTireOD = 100.0F;
    EXPECT_EQ(BuildSpeedTable(settings)[0], "44375002.9");
}

// The last decimal depends on the single-precision constants and on double arithmetic: each row rounds the
// other way when computed with exact decimal constants, or entirely in single precision.
TEST(ComputeGearSpeed, RoundingFollowsTheStoredConstants)
{
    struct Row
    {
        float fRpm, fRatio, fRearEnd, fTire;
        const char* pszExpected;
    };
    const std::vector<Row> rows = {
        {500, 0.8F, 3.55F, 26.4F, "13.8"},  {550, 2.0F, 3.55F, 26.4F, " 6.1"},  {900, 1.0F, 3.55F, 27.4F, "20.6"},
        {2100, 1.0F, 3.08F, 26.4F, "53.3"}, {6150, 1.0F, 4.1F, 26.4F, "117.2"},
    };
    for (const Row& row : rows) {
        GearSettings settings;
        settings.m_fRpm = row.fRpm;
        settings.m_fRearEnd = row.fRearEnd;
        settings.m_fTireOD = row.fTire;
        EXPECT_EQ(FormatSpeedText(ComputeGearSpeed(settings, row.fRatio, false)), row.pszExpected)
            << row.fRpm << " rpm, ratio " << row.fRatio << ", rear-end " << row.fRearEnd;
    }
}

} // namespace

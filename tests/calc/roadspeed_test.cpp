#include "calc/roadspeed.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/samplerecord.h"

namespace {

TEST(BuildSpeedTable, SampleSettings)
{
    const SpeedTable expected = {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
    EXPECT_EQ(BuildSpeedTable(SampleSettings()), expected);
    EXPECT_EQ(SampleSpeeds(), expected);
}

TEST(BuildSpeedTable, ZeroRpmShowsNoMinusSign)
{
    GearSettings settings = SampleSettings();
    settings.m_fRpm = 0.0F;
    const SpeedTable expected = {" 0.0", " 0.0", " 0.0", " 0.0", " 0.0", "N/A", " 0.0"};
    EXPECT_EQ(BuildSpeedTable(settings), expected);
}

TEST(BuildSpeedTable, ZeroDivisors)
{
    const SpeedTable allNone = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
    GearSettings noRearEnd = SampleSettings();
    noRearEnd.m_fRearEnd = 0.0F;
    EXPECT_EQ(BuildSpeedTable(noRearEnd), allNone);
    GearSettings noTire = SampleSettings();
    noTire.m_fTireOD = 0.0F;
    EXPECT_EQ(BuildSpeedTable(noTire), allNone);
    EXPECT_EQ(BuildSpeedTable(GearSettings{}), allNone);

    GearSettings noThird = SampleSettings();
    noThird.m_fGear3 = 0.0F;
    const SpeedTable expected = {"12.4", "16.6", "N/A", "33.2", "44.2", "N/A", "-11.4"};
    EXPECT_EQ(BuildSpeedTable(noThird), expected);
}

// Out-of-range values stay in the record after their prompt and are charted as they stand.
TEST(BuildSpeedTable, OutOfRangeAndNonFiniteValues)
{
    GearSettings settings = SampleSettings();
    settings.m_fGear1 = -2.68F;
    EXPECT_EQ(BuildSpeedTable(settings)[0], "-12.4");

    settings = SampleSettings();
    settings.m_fRpm = 20000.0F;
    EXPECT_EQ(BuildSpeedTable(settings)[0], "165.1");

    settings.m_fRpm = std::numeric_limits<float>::infinity();
    const SpeedTable infinite = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
    EXPECT_EQ(BuildSpeedTable(settings), infinite);

    settings = SampleSettings();
    settings.m_fGear2 = std::numeric_limits<float>::infinity(); // 1500 / inf is a speed of 0
    EXPECT_EQ(BuildSpeedTable(settings)[1], " 0.0");
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

#include "settingsfile/settingsfile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "testfiles.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

std::vector<std::string> SplitCrLf(const std::string& fileBytes)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = fileBytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(fileBytes.substr(at, end - at));
    EXPECT_EQ(at, fileBytes.size()) << "the file does not end in CR LF";
    return lines;
}

TEST(FormatSettingsFile, SampleRecordByteForByte)
{
    const std::vector<std::string> expectedLines = {
        "2.68",
        "2",
        "1.3",
        "1",
        "0.75",
        "0",
        "2.9",
        "1500 ",
        "3.53",
        "26.4",
        "",
        "",
        "",
        "Corvane Ratiograph Analysis Data:",
        "",
        "Set RPM:  1500",
        "Rear-end Gear: 3.53",
        "Outside Diameter of Rear Tire: 26.4",
        "",
        "Transmission Gear Ratios and Speeds: ",
        "First     2.7 12.4",
        "Second      2 16.6",
        "Third     1.3 25.5",
        "Fourth      1 33.2",
        "Fifth    0.75 44.2",
        "Sixth       0 N/A",
        "Reverse   2.9 -11.4",
    };
    EXPECT_EQ(FormatSettingsFile(SampleSettings(), SampleSpeeds()), JoinLines(expectedLines, "\r\n"));
}

// One value changed from the sample record: its value line and the report line that shows it.
TEST(FormatSettingsFile, ValueLinesAndReportLines)
{
    struct Row
    {
        GearValue value;
        float fValue;
        std::string valueLine;
        std::size_t nReportLine;
        std::string reportLine;
    };
    const std::vector<Row> rows = {
        {GearValue::Rpm, 0.0F, "0    ", 15, "Set RPM:     0"},
        {GearValue::Rpm, 1234.6F, "1235 ", 15, "Set RPM:  1235"},
        {GearValue::Rpm, 15000.0F, "15000", 15, "Set RPM: 15000"},
        {GearValue::Rpm, 123456.0F, "123456", 15, "Set RPM: 123456"},
        {GearValue::Rpm, -20.0F, "-20  ", 15, "Set RPM:   -20"},
        {GearValue::Rpm, kInf, "inf  ", 15, "Set RPM:   inf"},
        {GearValue::RearEnd, 4.1F, "4.1", 16, "Rear-end Gear: 4.1"},
        {GearValue::TireOD, 27.123456F, "27.1235", 17, "Outside Diameter of Rear Tire: 27.1235"},
        {GearValue::TireOD, -kInf, "-inf", 17, "Outside Diameter of Rear Tire: -inf"},
        {GearValue::Gear1, 0.0001F, "0.0001", 20, "First    0.0001 12.4"},
        {GearValue::Gear1, 1e-5F, "1e-005", 20, "First    1e-005 12.4"},
        {GearValue::Gear2, 1234567.0F, "1.23457e+006", 21, "Second   1.2e+006 16.6"},
        {GearValue::Gear3, 12.0F, "12", 22, "Third      12 25.5"},
        {GearValue::Gear4, 0.05F, "0.05", 23, "Fourth   0.05 33.2"},
        {GearValue::Gear4, -0.0F, "0", 23, "Fourth      0 33.2"},
        {GearValue::Rpm, -0.0F, "0    ", 15, "Set RPM:     0"},
        {GearValue::Gear5, 123.0F, "123", 24, "Fifth    1.2e+002 44.2"},
        {GearValue::Gear6, 3.456F, "3.456", 25, "Sixth     3.5 N/A"},
        {GearValue::Reverse, 35.0F, "35", 26, "Reverse    35 -11.4"},
    };
    for (const Row& row : rows) {
        GearSettings settings = SampleSettings();
        settings[row.value] = row.fValue;
        const std::vector<std::string> lines = SplitCrLf(FormatSettingsFile(settings, SampleSpeeds()));
        ASSERT_EQ(lines.size(), 27U);
        const auto nValueLine = static_cast<std::size_t>(
            std::find(kSettingsFileOrder.begin(), kSettingsFileOrder.end(), row.value) - kSettingsFileOrder.begin());
        EXPECT_EQ(lines[nValueLine], row.valueLine) << row.fValue;
        EXPECT_EQ(lines[row.nReportLine], row.reportLine) << row.fValue;
    }
}

// A value that is not a finite number must not come back from the file as some other number.
TEST(FormatSettingsFile, NonFiniteValuesDoNotReloadAsNumbers)
{
    for (const float fValue : {kInf, -kInf, std::numeric_limits<float>::quiet_NaN()}) {
        for (std::size_t i = 0; i < kSettingsFileOrder.size(); ++i) {
            GearSettings settings = SampleSettings();
            settings[kSettingsFileOrder[i]] = fValue;
            const SettingsFileLines read = ParseSettingsLines(FormatSettingsFile(settings, SampleSpeeds()));
            ASSERT_EQ(read.status, SettingsReadStatus::Read);
            EXPECT_EQ(ParseFloatText(read.lines[i]), std::nullopt) << '"' << read.lines[i] << '"';
        }
    }
}

// Each value line, judged as a field judges it, gives back the value that was saved.
TEST(SettingsFileRoundTrip, ValuesComeBack)
{
    GearSettings wide;
    wide.m_fRpm = 15000.0F;
    wide.m_fGear1 = 50.0F;
    wide.m_fGear2 = 0.01F;
    wide.m_fGear3 = 3.123F;
    wide.m_fGear4 = 12.5F;
    wide.m_fGear5 = 0.333F;
    wide.m_fGear6 = 49.99F;
    wide.m_fReverse = 4.56F;
    wide.m_fRearEnd = 0.5F;
    wide.m_fTireOD = 100.0F;
    for (const GearSettings& settings : {SampleSettings(), GearSettings{}, wide}) {
        const std::string crLfFile = FormatSettingsFile(settings, BuildSpeedTable(settings));
        std::string lfFile = crLfFile;
        std::erase(lfFile, '\r');
        for (const std::string& fileBytes : {crLfFile, lfFile}) {
            const SettingsFileLines read = ParseSettingsLines(fileBytes);
            ASSERT_EQ(read.status, SettingsReadStatus::Read);
            for (std::size_t i = 0; i < kSettingsFileOrder.size(); ++i) {
                const std::optional<double> parsed = ParseFloatText(read.lines[i]);
                ASSERT_TRUE(parsed.has_value()) << '"' << read.lines[i] << '"';
                EXPECT_EQ(NarrowToFloat(*parsed), settings[kSettingsFileOrder[i]]) << '"' << read.lines[i] << '"';
            }
        }
    }
}

} // namespace

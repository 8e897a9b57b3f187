#include "settingsfile/settingsfile.h"

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "tests/support/samplerecord.h"

namespace {

// The file saved for the sample record, byte for byte: the ten values, then the report, 27 lines.
const std::string kSampleFile = "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1500 \r\n3.53\r\n26.4\r\n"
                                "\r\n\r\n\r\nCorvane Ratiograph Analysis Data:\r\n\r\nSet RPM:  1500\r\n"
                                "Rear-end Gear: 3.53\r\nOutside Diameter of Rear Tire: 26.4\r\n\r\n"
                                "Transmission Gear Ratios and Speeds: \r\nFirst     2.7 12.4\r\n"
                                "Second      2 16.6\r\nThird     1.3 25.5\r\nFourth      1 33.2\r\n"
                                "Fifth    0.75 44.2\r\nSixth       0 N/A\r\nReverse   2.9 -11.4\r\n";

using Lines = std::array<std::string, 10>;

const Lines kSampleLines = {"2.68", "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"};

// Lossless: whatever follows the last CR LF is the last element, so a file with LF line ends splits wrongly.
std::vector<std::string> SplitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2))
        lines.emplace_back(text.substr(0, end));
    lines.emplace_back(text);
    return lines;
}

// One value of the sample record changed: only its value line and the report line that shows it differ.
TEST(FormatSettingsFile, ValueLinesAndReportLines)
{
    // The changed value's line (its place in kSettingsFileOrder), the value, that line, the report line.
    const std::tuple<std::size_t, float, const char*, std::size_t, const char*> rows[] = {
        {7, 1500.0F, "1500 ", 15, "Set RPM:  1500"}, // the sample itself, byte for byte
        {7, 0.0F, "0    ", 15, "Set RPM:     0"},
        {7, 123456.0F, "123456", 15, "Set RPM: 123456"}, // wider than the field
        {7, INFINITY, "inf  ", 15, "Set RPM:   inf"},
        {7, -0.0F, "0    ", 15, "Set RPM:     0"},
        {0, 1e-5F, "1e-005", 20, "First    1e-005 12.4"},
        {1, 1234567.0F, "1.23457e+006", 21, "Second   1.2e+006 16.6"},
        {3, -0.0F, "0", 23, "Fourth      0 33.2"},
        {4, 123.0F, "123", 24, "Fifth    1.2e+002 44.2"},
    };
    for (const auto& [nValueLine, fValue, pszValueLine, nReportLine, pszReportLine] : rows) {
        GearSettings settings = SampleSettings();
        settings[kSettingsFileOrder[nValueLine]] = fValue;
        std::vector<std::string> expected = SplitCrLf(kSampleFile);
        expected[nValueLine] = pszValueLine;
        expected[nReportLine] = pszReportLine;
        EXPECT_EQ(SplitCrLf(FormatSettingsFile(settings, SampleSpeeds())), expected) << fValue;
    }
}

// Each value line, judged as a typed field is judged, gives back the saved value, with either line end.
TEST(SettingsFileRoundTrip, ValuesComeBack)
{
    for (const GearSettings& settings : {SampleSettings(), GearSettings{}}) {
        std::string fileBytes = FormatSettingsFile(settings, BuildSpeedTable(settings));
        for (int nPass = 0; nPass < 2; ++nPass, std::erase(fileBytes, '\r')) { // CR LF, then LF
            const Lines lines = ParseSettingsLines(fileBytes).lines;
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(NarrowToFloat(ParseFloatText(lines[i]).value_or(NAN)), settings[kSettingsFileOrder[i]])
                    << lines[i];
        }
    }
}

// The first ten lines, or nothing when the file has fewer (TooShort).
TEST(ParseSettingsLines, LinesAndStatus)
{
    using namespace std::string_literals;
    std::string lfFile = kSampleFile;
    std::erase(lfFile, '\r');
    std::string everyByte; // 0x0B to 0xFF, then 0x00 to 0x0A, ten times: each line's text is 0x0B to 0xFF
    for (int i = 0; i < 2560; ++i)
        everyByte += static_cast<char>((i + 0x0B) % 0x100);
    Lines everyByteLines;
    everyByteLines.fill(everyByte.substr(0, 0x100 - 0x0B));
    const std::tuple<const char*, std::string, std::optional<Lines>> rows[] = {
        {"CR LF, the report ignored", kSampleFile, kSampleLines},
        {"LF", lfFile, kSampleLines},
        {"no line end after the tenth line", kSampleFile.substr(0, kSampleFile.find("26.4") + 4), kSampleLines},
        {"a CR not just before LF stays", "1\r\r\n2\r3\n3\n4\n5\n6\n7\n8\n9\n10\r",
         Lines{"1\r", "2\r3", "3", "4", "5", "6", "7", "8", "9", "10\r"}},
        {"NUL ends a line's text", "2.\0junk\r\n\0junk\r\n3\n4\n5\n6\n7\n8\n9\n10\0"s,
         Lines{"2.", "", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"ten empty lines", std::string(10, '\n'), Lines{}},
        {"every byte value", everyByte, everyByteLines},
        {"nine lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& [pszName, fileBytes, lines] : rows) {
        const SettingsFileLines parsed = ParseSettingsLines(fileBytes);
        EXPECT_EQ(parsed.status, lines ? SettingsReadStatus::Read : SettingsReadStatus::TooShort) << pszName;
        EXPECT_EQ(parsed.lines, lines.value_or(Lines{})) << pszName;
    }
}

} // namespace

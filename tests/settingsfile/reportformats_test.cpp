#include "settingsfile/reportformats.h"

#include <algorithm>
#include <clocale>
#include <iterator>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "calc/tiresize.h"
#include "tests/support/csv.h"
#include "tests/support/samplerecord.h"

namespace {

// The process locale for one scope; the reports must not notice it.
struct LocaleScope
{
    std::string strSaved = std::setlocale(LC_ALL, nullptr);
    bool bActive;
    explicit LocaleScope(const char* pszLocale) : bActive(std::setlocale(LC_ALL, pszLocale) != nullptr) {}
    ~LocaleScope() { std::setlocale(LC_ALL, strSaved.c_str()); }
};

// Brackets balance outside strings, and strings hold no raw control character.
bool IsBalancedJson(std::string_view text)
{
    std::string open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (static_cast<unsigned char>(text[i]) < 0x20)
                    return false;
                i += text[i] == '\\' ? 1 : 0;
            }
        } else if (text[i] == '{' || text[i] == '[') {
            open += text[i] == '{' ? '}' : ']';
        } else if (text[i] == '}' || text[i] == ']') {
            if (open.empty() || open.back() != text[i])
                return false;
            open.pop_back();
        }
    }
    return open.empty();
}

std::vector<std::string> Words(std::string_view line)
{
    std::istringstream stream{std::string(line)};
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

// The sample record against a setup B on 28-inch tires, at 70 MPH.
GearReport FullReport()
{
    GearSettings setupB = SampleSettings();
    setupB.m_fTireOD = 28.0F;
    return BuildGearReport(SampleSettings(), 70.0, setupB);
}

TEST(CsvReport, ReadsBackAlikeInEveryLocale)
{
    const std::string cCsv = FormatCsvReport(FullReport());
    for (const char* pszLocale : {"C", "de_DE.UTF-8"}) {
        const LocaleScope locale(pszLocale);
        ASSERT_TRUE(locale.bActive) << pszLocale << " is missing; tools/test.sh generates it";
        const std::optional<Records> records = ReadCsv(FormatCsvReport(FullReport()));
        ASSERT_TRUE(records && records->size() == 8) << pszLocale;
        EXPECT_EQ(records->front(),
                  (std::vector<std::string>{"Gear", "Ratio", "Overall ratio", "MPH", "km/h", "MPH per 1000 RPM",
                                            "RPM at 70 MPH", "Difference to B (%)"}));
        const Records expected = {{"12.4", "19.9", "8.3", "8479", "-5.7%"},  {"16.6", "26.7", "11.1", "6328", "-5.7%"},
                                  {"25.5", "41.1", "17.0", "4113", "-5.7%"}, {"33.2", "53.4", "22.1", "3164", "-5.7%"},
                                  {"44.2", "71.2", "29.5", "2373", "-5.7%"}, {"N/A", "N/A", "N/A", "N/A", "N/A"},
                                  {"-11.4", "-18.4", "-7.6", "N/A", "-5.7%"}};
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(std::vector(records->at(i + 1).begin() + 3, records->at(i + 1).end()), expected[i]) << i;
        EXPECT_EQ(FormatCsvReport(FullReport()), cCsv) << pszLocale;
    }
    const Records plain = ReadCsv(FormatCsvReport(BuildGearReport(SampleSettings()))).value_or(Records{});
    EXPECT_TRUE(plain.size() == 8 && plain[0].size() == 6 && plain[6].size() == 6 && plain[1][1] == "2.68");
}

TEST(CsvReport, QuotesAsRfc4180Says)
{
    const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\nlines", "cr\r", "", "\""};
    const std::string record = FormatCsvRecord(fields);
    EXPECT_EQ(record, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",,\"\"\"\"\r\n");
    EXPECT_EQ(ReadCsv(record), Records{fields});
}

TEST(JsonReport, ValidWithEveryKeyAndNullForNA)
{
    const LocaleScope locale("de_DE.UTF-8");
    ASSERT_TRUE(locale.bActive);
    GearSettings noSpeeds = SampleSettings();
    noSpeeds.m_fRpm = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<GearReport, std::vector<std::string>>> rows = {
        {FullReport(),
         {R"("rpm": 1500, "gear1": 2.68,)", R"("tireDiameter": 26.4})", R"("cruiseMph": 70.0,)",
          R"({"name": "1st", "ratio": 2.68, "overallRatio": 9.4604, "mph": 12.4, "kmh": 19.9, "mphPer1000Rpm": 8.3, )"
          R"("rpmAtCruise": 8479, "differenceToBPercent": -5.7})",
          R"({"name": "6th", "ratio": 0, "overallRatio": 0, "mph": null, "kmh": null, "mphPer1000Rpm": null, )"
          R"("rpmAtCruise": null, "differenceToBPercent": null})",
          R"("mph": -11.4, "kmh": -18.4, "mphPer1000Rpm": -7.6, "rpmAtCruise": null)",
          R"({"fromGear": 4, "toGear": 5, "rpmBefore": 1500, "rpmAfter": 1125, "drop": 375})",
          R"("tireDiameter": 28}, "speedometerAt60Mph": 63.6},)", "\"title\": ", "\"note\": "}},
        {BuildGearReport(noSpeeds),
         {R"("rpm": null,)", R"("cruiseMph": null,)", R"("mph": null, "kmh": null, "mphPer1000Rpm": 8.3)",
          R"("shiftDrops": [],)", R"("comparison": null,)"}},
    };
    for (const auto& [report, expectedParts] : rows) {
        const std::string json = FormatJsonReport(report);
        EXPECT_TRUE(IsBalancedJson(json) && json.front() == '{' && json.ends_with("}\n")) << json;
        for (const std::string& part : expectedParts)
            EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    }
    EXPECT_EQ(FormatJsonString("a\"b\\c\n\t\x01\x1f\x7f é"), "\"a\\\"b\\\\c\\n\\t\\u0001\\u001f\x7f é\"");
}

TEST(TextReport, ValuesAsGivenAlignedTableDropsAndNote)
{
    ValueTexts texts = FormatValueTexts(SampleSettings());
    texts[static_cast<std::size_t>(GearValue::Gear2)] = "2.0"; // as the field holds it
    const std::string text = FormatTextReport(FullReport(), texts);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    ASSERT_GT(lines.size(), 30U);
    EXPECT_EQ(lines[0], kReportTitle);
    EXPECT_EQ(Words(lines[4]), (std::vector<std::string>{"2nd", "gear:", "2.0"}));
    EXPECT_EQ(Words(lines[11]), (std::vector<std::string>{"Tire", "diameter", "(in):", "26.4"}));
    const std::size_t nTable = 13;
    EXPECT_TRUE(lines[nTable].starts_with("Gear ") && lines[nTable].ends_with("RPM at 70 MPH  Difference to B (%)"));
    for (std::size_t i = nTable + 1; i <= nTable + 7; ++i)
        EXPECT_EQ(lines[i].size(), lines[nTable].size()) << "right-aligned columns: " << lines[i];
    EXPECT_EQ(Words(lines[nTable + 1]),
              (std::vector<std::string>{"1st", "2.68", "9.4604", "12.4", "19.9", "8.3", "8479", "-5.7%"}));
    EXPECT_EQ(lines[nTable + 9], "Shift drops at 1500 RPM:");
    EXPECT_EQ(Words(lines[nTable + 11]), (std::vector<std::string>{"1st", "to", "2nd", "1119", "381"}));
    EXPECT_EQ(Words(lines[nTable + 14]), (std::vector<std::string>{"4th", "to", "5th", "1125", "375"}));
    EXPECT_NE(text.find("at a true 60 MPH: 63.6 MPH\n"), std::string::npos);
    EXPECT_EQ(lines.back(), kCircumferenceNote);

    const std::string plain = FormatTextReport(BuildGearReport(GearSettings{}));
    EXPECT_TRUE(plain.find("MPH per 1000 RPM\n") != std::string::npos && plain.find("setup B") == std::string::npos);
}

// The extension names the format in any case; a hidden file's dot, a directory's extension or another one names
// none.
TEST(ReportFormats, FormatOfAPathsExtension)
{
    const std::vector<std::pair<const char*, std::optional<ReportFormat>>> rows = {
        {"a.pdf", ReportFormat::Pdf},  {"dir/B.CSV", ReportFormat::Csv}, {"x.tar.json", ReportFormat::Json},
        {"n.txt", ReportFormat::Text}, {"c.Svg", ReportFormat::Svg},     {"/tmp/c.png", ReportFormat::Png},
        {".png", std::nullopt},        {"d.svg/file", std::nullopt},     {"a.jpeg", std::nullopt},
        {"pdf", std::nullopt},         {"a.pdf.", std::nullopt},
    };
    for (const auto& [pszPath, format] : rows) {
        EXPECT_EQ(ReportFormatOfPath(pszPath), format) << pszPath;
        if (format) {
            EXPECT_EQ(ReportFormatOfPath(std::string("x.") + std::string(ReportFormatExtension(*format))), format);
        }
    }
}

} // namespace

#include "report/settingsreport.h"

#include <clocale>
#include <locale>
#include <optional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "report/reportformat.h"
#include "report/tirereport.h"
#include "tests/support/samplerecord.h"

namespace {

using Json = nlohmann::json;

// In a comma locale, numbers still with a point; the sample against B on 28-inch tires, at 110 km/h.
class SettingsReport : public testing::Test
{
protected:
    void SetUp() override { std::locale::global(std::locale("de_DE.UTF-8")); }
    void TearDown() override
    {
        std::locale::global(m_saved);
        std::setlocale(LC_ALL, m_strSavedC.c_str());
    }

    const std::string m_strSavedC = std::setlocale(LC_ALL, nullptr);
    const std::locale m_saved;
    const GearSettings m_setupB = {1500.0F, 2.68F, 3.53F, 28.0F, 2.0F, 1.3F, 1.0F, 0.75F, 0.0F, 2.9F};
    const GearReport m_report = BuildGearReport(SampleSettings(), CruiseSpeed{110, CruiseSpeed::Unit::Kmh}, m_setupB);
};

// As a script reads it: numbers at the displays' precision, null for N/A and what is not finite, whole RPM as integers.
TEST_F(SettingsReport, JsonTextCsvAndFormatsOfPaths)
{
    const Json json = Json::parse(BuildSettingsReport(m_report).strJson);
    EXPECT_EQ(json["title"], kReportTitle);
    EXPECT_EQ(json["values"],
              Json::parse(R"({"rpm": 1500, "gear1": 2.68, "gear2": 2, "gear3": 1.3, "gear4": 1, "gear5": 0.75,
                             "gear6": 0, "reverse": 2.9, "rearEnd": 3.53, "tireDiameter": 26.4})"));
    EXPECT_TRUE(json["values"]["rpm"].is_number_integer());
    EXPECT_EQ(json["cruise"], Json::parse(R"({"value": 110, "unit": "km/h", "mph": 68.4})"));
    ASSERT_EQ(json["gears"].size(), 7U);
    EXPECT_EQ(json["gears"][0], Json::parse(R"({"name": "1st", "ratio": 2.68, "overallRatio": 9.46, "mph": 12.4,
        "kmh": 19.9, "mphPer1000Rpm": 8.3, "rpmAtCruise": 8279, "differenceToBPercent": -5.7})"));
    EXPECT_EQ(json["gears"][5], Json::parse(R"({"name": "6th", "ratio": 0, "overallRatio": 0, "mph": null,
        "kmh": null, "mphPer1000Rpm": null, "rpmAtCruise": null, "differenceToBPercent": null})"));
    EXPECT_EQ((Json{json["gears"][6]["name"], json["gears"][6]["mph"], json["gears"][6]["rpmAtCruise"]}),
              Json::parse(R"(["Reverse", -11.4, null])"));
    ASSERT_EQ(json["shiftDrops"].size(), 4U);
    EXPECT_EQ(json["shiftDrops"][3],
              Json::parse(R"({"fromGear": 4, "toGear": 5, "rpmBefore": 1500, "rpmAfter": 1125, "drop": 375})"));
    EXPECT_EQ((Json{json["comparison"]["setupB"]["tireDiameter"], json["comparison"]["speedometerAt60Mph"]}),
              Json::parse("[28, 63.6]"));
    EXPECT_TRUE(json["note"].get<std::string>().starts_with("Speeds use 3.124 for pi"));

    const Json plain =
        Json::parse(BuildSettingsReport(BuildGearReport({INFINITY, 2.68F, 3.53F, 26.43F, 0, 0, 0, 0, 0, 0})).strJson);
    EXPECT_EQ(plain["values"]["tireDiameter"], 26.43); // to the hundredth, as the field shows it
    EXPECT_EQ((Json{plain["values"]["rpm"], plain["cruise"], plain["gears"][0]["mph"],
                    plain["gears"][0]["mphPer1000Rpm"], plain["shiftDrops"], plain["comparison"]}),
              Json::parse("[null, null, null, 8.3, [], null]"));
    // Each section under its heading, each kind of number in its one format, columns aligned, the cruise speed in the
    // unit typed; without B and a cruise speed, neither their columns nor section.
    const std::string text = FormatTextReport(BuildSettingsReport(m_report));
    for (const std::string_view part : {
             "Corvane Ratiograph Report\n\nValues:\nEngine RPM:           1500\n1st gear:            2.680\n",
             "\nTire diameter (in):  26.40\n\nGears:\nCruise speed: 110 km/h (68.4 MPH).\n"
             "Gear     Ratio  Overall ratio    MPH   km/h  MPH per 1000 RPM  RPM at cruise  Difference to B (%)\n"
             "1st      2.680          9.460   12.4   19.9               8.3           8279                -5.7%\n",
             "\nReverse  2.900         10.237  -11.4  -18.4              -7.6            N/A                -5.7%\n\n"
             "Shift drops at 1500 RPM:\nShift       RPM after  Drop\n1st to 2nd       1119   381\n",
             "\n\nSetup B:\n1500 RPM, rear-end 3.530, tire 28.00 in.\n"
             "Speedometer calibrated for setup B, at a true 60 MPH: 63.6 MPH\n\nTires:\nDiameter -5.7%, beyond",
             "\n\nRegearing:\nA rear end of 3.328 gives the tire now setup B's overall gearing.\n\nSpeeds use 3.124 "
             "for pi",
         })
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_TRUE(text.starts_with(std::string(kReportTitle) + "\n") && text.ends_with("GPS.\n")) << text;
    GearReport typed = BuildGearReport(GearSettings{});
    typed.strTireSource = "Tire 27.40 in, from the size 225/70R15.";
    const std::string plainText = FormatTextReport(BuildSettingsReport(typed));
    EXPECT_NE(plainText.find("Values:\nTire 27.40 in, from the size 225/70R15.\nEngine RPM:"), std::string::npos);
    EXPECT_NE(plainText.find("MPH per 1000 RPM\n"), std::string::npos);
    EXPECT_NE(plainText.find("\nShift drops:\nNone: they need two forward gears with a speed.\n"), std::string::npos);
    EXPECT_EQ(plainText.find("setup B"), std::string::npos);
    EXPECT_EQ(plainText.find("Cruise"), std::string::npos);
    // Byte for byte: plain numbers a spreadsheet reads, nothing for N/A, the units in the header; RFC 4180 quoting.
    EXPECT_EQ(BuildSettingsReport(m_report).strCsv,
              "Gear,Ratio,Overall ratio,MPH,km/h,MPH per 1000 RPM,RPM at cruise,Difference to B (%)\r\n"
              "1st,2.680,9.460,12.4,19.9,8.3,8279,-5.7\r\n"
              "2nd,2.000,7.060,16.6,26.7,11.1,6179,-5.7\r\n"
              "3rd,1.300,4.589,25.5,41.1,17.0,4016,-5.7\r\n"
              "4th,1.000,3.530,33.2,53.4,22.1,3089,-5.7\r\n"
              "5th,0.750,2.647,44.2,71.2,29.5,2317,-5.7\r\n"
              "6th,0.000,0.000,,,,,\r\n"
              "Reverse,2.900,10.237,-11.4,-18.4,-7.6,,-5.7\r\n");
    EXPECT_EQ(FormatCsvRecord({"plain", "a,b", "say \"hi\"", "two\nlines", "cr\r", "", "\""}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",,\"\"\"\"\r\n");
    // The extension names the format in any case; a hidden file's dot, a directory's extension or another one names
    // none.
    const std::vector<std::pair<const char*, std::optional<ReportFormat>>> rows = {
        {"a.pdf", ReportFormat::Pdf},  {"dir/B.CSV", ReportFormat::Csv}, {"x.tar.json", ReportFormat::Json},
        {"n.txt", ReportFormat::Text}, {"c.Svg", ReportFormat::Svg},     {"/tmp/c.png", ReportFormat::Png},
        {".png", std::nullopt},        {"d.svg/file", std::nullopt},     {"a.jpeg", std::nullopt},
        {"pdf", std::nullopt},         {"a.pdf.", std::nullopt},
    };
    for (const auto& [pszPath, format] : rows)
        EXPECT_EQ(ReportFormatOfPath(pszPath), format) << pszPath;
}

} // namespace

// B's tire against the tire now, with the rear ends that restore B's gearing, read in metric first; and the tire
// comparison on its own, as the command line gives it.
TEST_F(SettingsReport, TireSwapInMetric)
{
    GearReport metric = m_report;
    metric.units = Units::Metric;
    const std::vector<AxleRatioList> axles = {{"Axle A", {3.08, 3.31, 3.55, 3.73}, "A's maker"},
                                              {"Axle B", {3.27, 3.31, 4.10}, "B's maker"},
                                              {"Axle C", {5.13}, "C's maker"}};
    const ReportDocument document = BuildSettingsReport(metric, axles);
    const std::string text = FormatTextReport(document);
    for (const std::string_view part : {
             "Gear     Ratio  Overall ratio   km/h    MPH  MPH per 1000 RPM",
             "Speedometer calibrated for setup B, at a true 100 km/h: 106.1 km/h\n",
             "\nDiameter -5.7%, beyond the usual \u00b13%: the speedometer and the gearing change noticeably.\n"
             "                    Setup B     Now\nSidewall (mm)           N/A     N/A\n"
             "Diameter (mm)         711.2   670.6\nDiameter (in)         28.00   26.40\n",
             "\nRevs per km           447.6   474.7\nRevs per mile         720.3   763.9\n",
             "A rear end of 3.328 gives the tire now setup B's overall gearing.\n"
             "Rear end  Sold for        Speedometer at a true 100 km/h  RPM at cruise\n"
             "3.270     Axle B                                    98.2           2146\n"
             "3.310     Axle A, Axle B                            99.5           2173\n"
             "3.550     Axle A                                   106.7           2330\n"
             "3.730     Axle A                                   112.1           2448\n\n"
             "Ratios sold for the Axle A: A's maker\nRatios sold for the Axle B: B's maker\n\nSpeeds",
         })
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    const Json json = Json::parse(document.strJson);
    EXPECT_EQ(json["units"], "metric");
    EXPECT_EQ(json["tireSwap"]["restoringRearEnd"], 3.328);
    EXPECT_EQ(json["tireSwap"]["nearestRearEnds"][1],
              Json::parse(R"({"rearEnd": 3.31, "axles": ["Axle A", "Axle B"], "speedometerAt60Mph": 59.7,
                             "rpmAtCruise": 2173})"));

    const TireComparison tires =
        CompareTires(FiguresOf(*ParseTireSize("205/55R16")), FiguresOf(*ParseTireSize("225/45R17")));
    const ReportDocument comparison = BuildTireReport(tires, "205/55R16", "225/45R17", Units::Metric);
    EXPECT_EQ(comparison.strCsv, "Measure,205/55R16,225/45R17\r\nSidewall (mm),112.8,101.2\r\n"
                                 "Diameter (mm),631.9,634.3\r\nDiameter (in),24.88,24.97\r\n"
                                 "Circumference (mm),1985.2,1992.7\r\nRevs per km,503.7,501.8\r\n"
                                 "Revs per mile,810.7,807.6\r\n");
    EXPECT_NE(FormatTextReport(comparison).find("Shows (km/h)  True (km/h)\n50                   50.2\n80    "),
              std::string::npos);
    const Json tireJson = Json::parse(comparison.strJson);
    EXPECT_EQ((Json{tireJson["diameterDifferencePercent"], tireJson["withinGuideline"], tireJson["first"]["sidewallMm"],
                    tireJson["speedometer"]["true"][2]}),
              Json::parse(R"([0.4, true, 112.8, 100.4])"));
}

// The redline and each gear's speed at it in text, CSV and JSON, in the unit read first; the gears past it named.
TEST_F(SettingsReport, SpeedAtRedline)
{
    const std::vector<std::tuple<Units, const char*, const char*>> rows = {
        {Units::Us, "MPH at redline\n1st      2.680          9.460   12.4",
         "redline\r\n1st,2.680,9.460,12.4,19.9,8.3,8279,33.0"},
        {Units::Metric, "km/h at redline\n1st      2.680          9.460   19.9",
         "redline\r\n1st,2.680,9.460,19.9,12.4,8.3,8279,53.1"},
    };
    GearReport report = BuildGearReport(SampleSettings(), CruiseSpeed{110, CruiseSpeed::Unit::Kmh}, {}, 4000);
    for (const auto& [units, pszText, pszCsv] : rows) {
        report.units = units;
        const ReportDocument document = BuildSettingsReport(report);
        const std::string text = FormatTextReport(document);
        EXPECT_NE(text.find(pszText), std::string::npos) << text;
        EXPECT_NE(text.find("Redline: 4000 RPM; cruising takes the engine above it in 1st, 2nd, 3rd.\n"),
                  std::string::npos);
        EXPECT_NE(document.strCsv.find(pszCsv), std::string::npos) << document.strCsv;
    }
    const Json json = Json::parse(BuildSettingsReport(report).strJson);
    EXPECT_EQ((Json{json["redlineRpm"], json["gears"][3]["mphAtRedline"], json["gears"][3]["kmhAtRedline"],
                    json["gears"][2]["cruiseAboveRedline"], json["gears"][3]["cruiseAboveRedline"],
                    json["gears"][6]["mphAtRedline"]}),
              Json::parse("[4000, 88.5, 142.4, true, false, null]"));
    const Json none = Json::parse(BuildSettingsReport(BuildGearReport(SampleSettings())).strJson);
    EXPECT_TRUE(none["redlineRpm"].is_null() && !none["gears"][0].contains("mphAtRedline"));
}

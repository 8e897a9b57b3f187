#include <clocale>
#include <locale>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "report/performancereport.h"
#include "report/settingsreport.h"
#include "report/tirereport.h"
#include "tests/support/samplerecord.h"
#include "tests/support/snapshot.h"

namespace {

using Json = nlohmann::json;

// Scripts, spreadsheets and people read these bytes; a comma locale must not change a digit of them.
class Reports : public testing::Test
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
};

// A flat 200 N·m to 6000 RPM on a 2 m tire, overall 4, 3 and 0.5, 1000 kg, CdA 0.6. By hand: forces 200 x overall x
// 0.9 x pi (2261.95, 1696.46, 282.74 N); 1st to its redline at 180 km/h, 2nd to 235.958 km/h against 117.68 + 0.3675
// v² N, and 0.5 never; both upshifts at the redline, to 4500 and 1000 RPM.
PerformanceAnalysis ThreeGears()
{
    return AnalysePerformance({"Test",
                               {{4, 3, 0.5}, {}, {1}},
                               {TireKind::RevsPerMile, 804.672},
                               {6000, {TorqueUnit::NewtonMetres, {{1000, 200}, {3500, 200}, {6000, 200}}}},
                               {1000, MassUnit::Kilograms, 0, 0, 0.6}})
        .value();
}

// Every report in every textual form, whole: the sample against B on 28-inch tires at 110 km/h in either unit (with
// the rear ends that restore B's gearing), with a redline, without B and cruise, with values held after a failed range
// test; a tire comparison; a performance analysis in either unit and in its rarer words; the presets listing.
TEST_F(Reports, AllFormsAsSnapshotted)
{
    const GearSettings setupB = {1500.0F, 2.68F, 3.53F, 28.0F, 2.0F, 1.3F, 1.0F, 0.75F, 0.0F, 2.9F};
    const CruiseSpeed kmh110 = {110, CruiseSpeed::Unit::Kmh};
    const std::vector<AxleRatioList> axles = {{"Axle A", {3.08, 3.31, 3.55, 3.73}, "A's maker"},
                                              {"Axle B", {3.27, 3.31, 4.10}, "B's maker"},
                                              {"Axle C", {5.13}, "C's maker"}};
    GearReport metric = BuildGearReport(SampleSettings(), kmh110, setupB);
    metric.units = Units::Metric;
    GearReport redline = BuildGearReport(SampleSettings(), CruiseSpeed{70}, {}, 4000);
    GearReport redlineMetric = BuildGearReport(SampleSettings(), kmh110, {}, 4000);
    redlineMetric.units = Units::Metric;
    GearReport typed = BuildGearReport(GearSettings{});
    typed.strTireSource = "Tire 27.40 in, from the size 225/70R15.";
    const TireComparison tires =
        CompareTires(FiguresOf(*ParseTireSize("205/55R16")), FiguresOf(*ParseTireSize("225/45R17")));
    PerformanceAnalysis below = ThreeGears(); // a shift below the redline into a gear without force
    below.gears[0].upshift = Upshift{5625.4, false, 168.75, 2812.7, 565.5, std::nullopt};
    below.topSpeed = VehicleTopSpeed{180, 1, TopSpeedLimit::Redline};
    PerformanceAnalysis oneGear = ThreeGears();
    oneGear.gears.resize(1);
    oneGear.gears[0].upshift.reset();
    oneGear.topSpeed.reset();

    const std::vector<std::pair<const char*, ReportDocument>> documents = {
        {"B at 110 km/h", BuildSettingsReport(BuildGearReport(SampleSettings(), kmh110, setupB))},
        {"B at 110 km/h, metric, axles", BuildSettingsReport(metric, axles)},
        {"redline 4000 at 70", BuildSettingsReport(redline)},
        {"redline 4000 at 110 km/h, metric", BuildSettingsReport(redlineMetric)},
        {"sample alone", BuildSettingsReport(BuildGearReport(SampleSettings()))},
        {"held values", BuildSettingsReport(BuildGearReport({INFINITY, 2.68F, 3.53F, 26.43F, 0, 0, 0, 0, 0, 0}))},
        {"empty, tire from a size", BuildSettingsReport(typed)},
        {"tires, metric", BuildTireReport(tires, "205/55R16", "225/45R17", Units::Metric)},
        {"tires",
         BuildTireReport(CompareTires(FiguresOfDiameter(26.4), FiguresOfDiameter(28)), "26.4 in", "28 in", Units::Us)},
        {"performance", BuildPerformanceReport(ThreeGears(), "Test")},
        {"performance, US", BuildPerformanceReport(ThreeGears(), "Test", Units::Us)},
        {"performance, shift below the redline", BuildPerformanceReport(below)},
        {"performance, one gear", BuildPerformanceReport(oneGear)},
        {"presets", BuildPresetsReport({{"Box A", {{3.5, 1.25}, -3.1, {4.1}}, "A maker"},
                                        {"Box B", {{2, 1}, {}, {4, 3}}, "B press, \"2nd\" ed."},
                                        {"Box C", {{1}, {}, {}}, ""}})},
    };
    std::string made;
    for (const auto& [pszName, document] : documents) {
        made += std::string("==== ") + pszName + "\n" + *FormatTextualReport(ReportFormat::Text, document) +
                "==== CSV\n" + *FormatTextualReport(ReportFormat::Csv, document) + "==== JSON\n" +
                *FormatTextualReport(ReportFormat::Json, document) + "\n";
        EXPECT_FALSE(Json::parse(document.strJson, nullptr, false).is_discarded()) << pszName;
    }
    ExpectSnapshot(made, RATIOGRAPH_REPORTS_SNAPSHOT);
}

// RFC 4180 quoting; the format named by the extension in any case, none by a hidden file's dot, a directory's
// extension or another one.
TEST(ReportFormat, CsvQuotingAndFormatsOfPaths)
{
    EXPECT_EQ(FormatCsvRecord({"plain", "a,b", "say \"hi\"", "two\nlines", "cr\r", "", "\""}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",,\"\"\"\"\r\n");
    const std::vector<std::pair<const char*, std::optional<ReportFormat>>> rows = {
        {"a.pdf", ReportFormat::Pdf},  {"dir/B.CSV", ReportFormat::Csv}, {"x.tar.json", ReportFormat::Json},
        {"n.txt", ReportFormat::Text}, {"c.Svg", ReportFormat::Svg},     {"/tmp/c.png", ReportFormat::Png},
        {".png", std::nullopt},        {"d.svg/file", std::nullopt},     {"a.jpeg", std::nullopt},
        {"pdf", std::nullopt},         {"a.pdf.", std::nullopt},
    };
    for (const auto& [pszPath, format] : rows)
        EXPECT_EQ(ReportFormatOfPath(pszPath), format) << pszPath;
    EXPECT_EQ(FormatTextualReport(ReportFormat::Png, {}), std::nullopt);
}

} // namespace

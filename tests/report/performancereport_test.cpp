#include "report/performancereport.h"

#include <cmath>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

// A flat 200 N·m to 6000 RPM on a 2 m tire, overall 4, 3 and 0.5, 1000 kg, CdA 0.6. By hand: forces 200 x overall x
// 0.9 x pi (2261.95, 1696.46, 282.74 N); 1st to its redline at 180 km/h, 2nd to 235.958 km/h (146.617 MPH) against
// 117.68 + 0.3675 v² N, and 0.5 never; both upshifts at the redline, to 4500 and 1000 RPM.
PerformanceAnalysis ThreeGears()
{
    return AnalysePerformance({"Test",
                               {{4, 3, 0.5}, {}, {1}},
                               {TireKind::RevsPerMile, 804.672},
                               {6000, {TorqueUnit::NewtonMetres, {{1000, 200}, {3500, 200}, {6000, 200}}}},
                               {1000, MassUnit::Kilograms, 0, 0, 0.6}})
        .value();
}

// Numbers to four decimals; whole ones compare equal to integers.
Json Rounded(Json json)
{
    if (json.is_number_float())
        return std::round(json.get<double>() * 1e4) / 1e4;
    for (Json& child : json)
        child = json.is_structured() ? Rounded(child) : child;
    return json;
}

TEST(PerformanceReport, JsonTextAndCsv)
{
    const ReportDocument document = BuildPerformanceReport(ThreeGears(), "Test");
    EXPECT_EQ(Rounded(Json::parse(document.strJson)),
              Json::parse(R"({"title": "Corvane Ratiograph Performance", "name": "Test",
        "gears": [{"gear": 1, "ratio": 4, "finalDrive": 1, "overallRatio": 4, "speedAtRedlineKmh": 180, "upshiftRpm": 6000,
                   "upshiftAtRedline": true, "upshiftSpeedKmh": 180, "rpmAfterUpshift": 4500, "wheelForceBeforeN": 2261.9467,
                   "wheelForceAfterN": 1696.46, "topSpeedKmh": 180, "topSpeedLimit": "redline"},
                  {"gear": 2, "ratio": 3, "finalDrive": 1, "overallRatio": 3, "speedAtRedlineKmh": 240, "upshiftRpm": 6000,
                   "upshiftAtRedline": true, "upshiftSpeedKmh": 240, "rpmAfterUpshift": 1000, "wheelForceBeforeN": 1696.46,
                   "wheelForceAfterN": 282.7433, "topSpeedKmh": 235.958, "topSpeedLimit": "road load"},
                  {"gear": 3, "ratio": 0.5, "finalDrive": 1, "overallRatio": 0.5, "speedAtRedlineKmh": 1440, "upshiftRpm": null,
                   "upshiftAtRedline": false, "upshiftSpeedKmh": null, "rpmAfterUpshift": null, "wheelForceBeforeN": null,
                   "wheelForceAfterN": null, "topSpeedKmh": null, "topSpeedLimit": null}],
        "topSpeed": {"kmh": 235.958, "mph": 146.6175, "gear": 2, "limit": "road load"},
        "note": "Speeds use the true circumference (pi x diameter); the calculator's own speeds use 3.124 and read 0.56% lower for the same diameter."})"));
    EXPECT_EQ(document.strCsv,
              "Gear,Ratio,Final drive,Overall ratio,km/h at redline,Upshift RPM,Upshift km/h,RPM after,Force before "
              "(N),Force after (N),Top speed (km/h),Limit\r\n"
              "1st,4.000,1.000,4.000,180.0,6000,180.0,4500,2262,1696,180.0,redline\r\n"
              "2nd,3.000,1.000,3.000,240.0,6000,240.0,1000,1696,283,236.0,road load\r\n"
              "3rd,0.500,1.000,0.500,1440.0,,,,,,,\r\n");
    const std::string text = FormatTextReport(document);
    for (const char* pszPart :
         {"Corvane Ratiograph Performance: Test\n\nGears:\nGear",
          "\n\nUpshifts:\n1st to 2nd at 6000 RPM, the redline, 180.0 km/h: 4500 RPM after, 2262 N "
          "before, 1696 N after.\n2nd to 3rd at 6000 RPM, the redline, 240.0 km/h: 1000 RPM "
          "after, 1696 N before, 283 N after.\n\nTop speed:\n236.0 km/h (146.6 MPH) in 2nd, "
          "limited by the road load.\n\nSpeeds use the true circumference"})
        EXPECT_NE(text.find(pszPart), std::string::npos) << pszPart << "\n" << text;
    // In US units the table and the sentences read MPH and lbf; the JSON stays as it is.
    const ReportDocument us = BuildPerformanceReport(ThreeGears(), "Test", Units::Us);
    EXPECT_EQ(us.strJson, document.strJson);
    EXPECT_NE(FormatTextReport(us).find("the redline, 111.8 MPH: 4500 RPM after, 509 lbf before, 381 lbf after.\n"
                                        "2nd to 3rd at 6000 RPM, the redline, 149.1 MPH: 1000 RPM after, 381 lbf "
                                        "before, 64 lbf after.\n\nTop speed:\n146.6 MPH (236.0 km/h) in 2nd"),
              std::string::npos)
        << FormatTextReport(us);
}

// A shift below the redline, a next gear without force, one gear, no top speed.
TEST(PerformanceReport, Words)
{
    PerformanceAnalysis analysis = ThreeGears();
    analysis.gears[0].upshift = Upshift{5625.4, false, 168.75, 2812.7, 565.5, std::nullopt};
    analysis.topSpeed = VehicleTopSpeed{180, 1, TopSpeedLimit::Redline};
    std::string text = FormatTextReport(BuildPerformanceReport(analysis));
    for (const char* pszPart :
         {"\n1st to 2nd at 5625 RPM, where 2nd pulls harder, 168.8 km/h: 2813 RPM after, 566 N before, no force "
          "after: the RPM falls below the torque curve.\n",
          "\n180.0 km/h (111.8 MPH) in 1st, limited by the redline.\n"})
        EXPECT_NE(text.find(pszPart), std::string::npos) << text;
    analysis.gears.resize(1);
    analysis.gears[0].upshift.reset();
    analysis.topSpeed.reset();
    const ReportDocument document = BuildPerformanceReport(analysis);
    text = FormatTextReport(document);
    EXPECT_TRUE(
        text.starts_with(std::string(kPerformanceReportTitle) + "\n\n") &&
        text.find("\nUpshifts:\nNone: one forward gear.\n\nTop speed:\nNone: no gear's wheel force reaches the road "
                  "load.\n") != std::string::npos)
        << text;
    EXPECT_EQ(Json::parse(document.strJson)["topSpeed"],
              Json::parse(R"({"kmh": null, "mph": null, "gear": null, "limit": null})"));
}

TEST(PresetsReport, TableAndJson)
{
    const ReportDocument document = BuildPresetsReport({{"Box A", {{3.5, 1.25}, -3.1, {4.1}}, "A maker"},
                                                        {"Box B", {{2, 1}, {}, {4, 3}}, "B press"},
                                                        {"Box C", {{1}, {}, {}}, ""}});
    EXPECT_EQ(Json::parse(document.strJson), Json::parse(R"([
        {"name": "Box A", "forward": [3.5, 1.25], "reverse": -3.1, "finalDrive": 4.1, "source": "A maker"},
        {"name": "Box B", "forward": [2, 1], "reverse": null, "finalDrive": [4, 3], "source": "B press"},
        {"name": "Box C", "forward": [1], "reverse": null, "finalDrive": null, "source": ""}])"));
    EXPECT_EQ(document.strCsv, "Name,Forward,Reverse,Final drive,Source\r\nBox A,3.500 1.250,-3.100,4.100,A maker\r\n"
                               "Box B,2.000 1.000,,4.000 3.000,B press\r\nBox C,1.000,,,\r\n");
    EXPECT_TRUE(FormatTextReport(document).starts_with(std::string(kPresetsReportTitle) + "\n\nPresets:\nName "));
}

} // namespace

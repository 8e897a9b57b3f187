#include "report/tirereport.h"

#include <nlohmann/json.hpp>

#include "numtext/numtext.h"

namespace {

using Json = nlohmann::ordered_json;

struct Measure
{
    std::string_view strLabel;
    std::string_view strKey;
    std::string_view strFormat;
    std::optional<double> (*pValue)(const TireFigures&);
};

// In reading order; metric users read millimetres first.
constexpr Measure kSidewall{"Sidewall (mm)", "sidewallMm", "%.1f", [](const TireFigures& tire) {
                                return tire.sidewallMm;
                            }};
constexpr Measure kInches{"Diameter (in)", "diameterIn", "%.2f", [](const TireFigures& tire) {
                              return std::optional(tire.inches);
                          }};
constexpr Measure kMillimetres{"Diameter (mm)", "diameterMm", "%.1f", [](const TireFigures& tire) {
                                   return std::optional(tire.millimetres);
                               }};
constexpr Measure kCircumference{"Circumference (mm)", "circumferenceMm", "%.1f", [](const TireFigures& tire) {
                                     return std::optional(tire.circumferenceMm);
                                 }};
constexpr Measure kRevsPerMile{"Revs per mile", "revsPerMile", "%.1f", [](const TireFigures& tire) {
                                   return std::optional(tire.revsPerMile);
                               }};
constexpr Measure kRevsPerKm{"Revs per km", "revsPerKm", "%.1f", [](const TireFigures& tire) {
                                 return std::optional(tire.revsPerKm);
                             }};

std::vector<const Measure*> Measures(Units units)
{
    if (units == Units::Metric)
        return {&kSidewall, &kMillimetres, &kInches, &kCircumference, &kRevsPerKm, &kRevsPerMile};
    return {&kSidewall, &kInches, &kMillimetres, &kCircumference, &kRevsPerMile, &kRevsPerKm};
}

std::string Number(std::string_view strFormat, std::optional<double> value)
{
    return value ? CrtFormat(strFormat, {*value + 0.0}) : "N/A";
}

std::string_view SpeedUnit(Units units)
{
    return units == Units::Metric ? "km/h" : "MPH";
}

Json TireJson(const TireFigures& tire, std::string_view strName)
{
    Json json = {{"name", strName}};
    for (const Measure* pMeasure : Measures(Units::Us)) {
        const std::optional<double> value = pMeasure->pValue(tire);
        json[std::string(pMeasure->strKey)] =
            value ? Json(CrtStrtod(Number(pMeasure->strFormat, value)).value) : Json();
    }
    return json;
}

} // namespace

ReportSection TireTableSection(const TireComparison& comparison, std::string_view strFirst, std::string_view strSecond,
                               Units units)
{
    ReportTable table;
    table.headers = {"", std::string(strFirst), std::string(strSecond)};
    for (const Measure* pMeasure : Measures(units)) {
        table.rows.push_back({std::string(pMeasure->strLabel),
                              Number(pMeasure->strFormat, pMeasure->pValue(comparison.first)),
                              Number(pMeasure->strFormat, pMeasure->pValue(comparison.second))});
    }
    return {"tires", "Tires", {DescribeTireDifference(comparison)}, std::move(table), false};
}

ReportSection SpeedometerSection(const TireComparison& comparison, std::string_view strFirst,
                                 std::string_view strSecond, Units units)
{
    const std::string strUnit(SpeedUnit(units));
    ReportTable table;
    table.headers = {"Shows (" + strUnit + ")", "True (" + strUnit + ")"};
    for (const double shown : IndicatedSpeeds(units))
        table.rows.push_back({CrtFormat("%.0f", {shown}), CrtFormat("%.1f", {comparison.TrueSpeed(shown)})});
    return {"speedometer",
            "Speedometer set for " + std::string(strFirst) + ", on " + std::string(strSecond),
            {},
            std::move(table),
            false};
}

ReportDocument BuildTireReport(const TireComparison& comparison, std::string_view strFirst, std::string_view strSecond,
                               Units units)
{
    ReportDocument document;
    document.strTitle = kTireReportTitle;
    document.sections.push_back(TireTableSection(comparison, strFirst, strSecond, units));
    document.sections.push_back(SpeedometerSection(comparison, strFirst, strSecond, units));
    // Plain numbers for a spreadsheet: a row per measure, the two tires in columns.
    std::string csv = FormatCsvRecord({"Measure", std::string(strFirst), std::string(strSecond)});
    for (const Measure* pMeasure : Measures(units)) {
        const auto plain = [&](const TireFigures& tire) {
            const std::optional<double> value = pMeasure->pValue(tire);
            return value ? Number(pMeasure->strFormat, value) : std::string();
        };
        csv += FormatCsvRecord({std::string(pMeasure->strLabel), plain(comparison.first), plain(comparison.second)});
    }
    document.strCsv = csv;
    Json json;
    json["title"] = kTireReportTitle;
    json["first"] = TireJson(comparison.first, strFirst);
    json["second"] = TireJson(comparison.second, strSecond);
    json["diameterDifferencePercent"] = CrtStrtod(CrtFormat("%.1f", {comparison.diameterDifferencePercent})).value;
    json["withinGuideline"] = comparison.bWithinGuideline;
    Json speedometer = {{"unit", SpeedUnit(units)}, {"shows", Json::array()}, {"true", Json::array()}};
    for (const double shown : IndicatedSpeeds(units)) {
        speedometer["shows"].push_back(shown);
        speedometer["true"].push_back(CrtStrtod(CrtFormat("%.1f", {comparison.TrueSpeed(shown)})).value);
    }
    json["speedometer"] = speedometer;
    document.strJson = json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    return document;
}

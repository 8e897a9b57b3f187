#include "report/performancereport.h"

#include <nlohmann/json.hpp>

#include "calc/shiftchart.h"
#include "numtext/numtext.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kNone = "N/A";

std::string Whole(double value)
{
    return CrtFormat("%.0f", {value + 0.0});
}

// Speeds and forces as people read them in the units they chose.
struct Readings
{
    Units units = Units::Metric;

    std::string_view SpeedUnit() const { return units == Units::Us ? "MPH" : "km/h"; }
    std::string_view ForceUnit() const { return units == Units::Us ? "lbf" : "N"; }
    std::string SpeedOf(double kmh) const
    {
        return CrtFormat("%.1f", {(units == Units::Us ? kmh / kKilometresPerMile : kmh) + 0.0});
    }
    std::string ForceOf(double newtons) const
    {
        return Whole(units == Units::Us ? newtons / kNewtonsPerPoundForce : newtons);
    }
    // "53.8 km/h", "1024 lbf".
    std::string SpeedText(double kmh) const { return SpeedOf(kmh) + " " + std::string(SpeedUnit()); }
    std::string ForceText(double newtons) const { return ForceOf(newtons) + " " + std::string(ForceUnit()); }
};

std::string Ratio(double ratio)
{
    return CrtFormat("%.3f", {ratio + 0.0});
}

Json NumberOrNull(const std::optional<double>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

Json LimitOrNull(TopSpeedLimit limit)
{
    return limit == TopSpeedLimit::None ? Json(nullptr) : Json(TopSpeedLimitName(limit));
}

ReportTable GearTable(const PerformanceAnalysis& analysis, Readings readings)
{
    const std::string strSpeed(readings.SpeedUnit());
    const std::string strForce = " (" + std::string(readings.ForceUnit()) + ")";
    ReportTable table;
    table.headers = {"Gear",
                     "Ratio",
                     "Final drive",
                     "Overall ratio",
                     strSpeed + " at redline",
                     "Upshift RPM",
                     "Upshift " + strSpeed,
                     "RPM after",
                     "Force before" + strForce,
                     "Force after" + strForce,
                     "Top speed (" + strSpeed + ")",
                     "Limit"};
    for (const GearPerformance& gear : analysis.gears) {
        std::vector<std::string> cells = {GearOrdinal(gear.nGear), Ratio(gear.ratio), Ratio(gear.finalDrive),
                                          Ratio(gear.overallRatio), readings.SpeedOf(gear.speedAtRedlineKmh)};
        if (const std::optional<Upshift>& upshift = gear.upshift) {
            cells.insert(cells.end(), {Whole(upshift->rpm), readings.SpeedOf(upshift->speedKmh),
                                       Whole(upshift->rpmAfter), readings.ForceOf(upshift->wheelForceBeforeN),
                                       upshift->wheelForceAfterN ? readings.ForceOf(*upshift->wheelForceAfterN)
                                                                 : std::string(kNone)});
        } else {
            cells.insert(cells.end(), 5, std::string(kNone));
        }
        cells.push_back(gear.topSpeedKmh ? readings.SpeedOf(*gear.topSpeedKmh) : std::string(kNone));
        cells.push_back(gear.topSpeedKmh ? std::string(TopSpeedLimitName(gear.topSpeedLimit)) : std::string(kNone));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

// "1st to 2nd at 6500 RPM, the redline, 53.8 km/h: 4334 RPM after, 15048 N before, 12302 N after."
std::vector<std::string> UpshiftLines(const PerformanceAnalysis& analysis, Readings readings)
{
    std::vector<std::string> lines;
    for (const GearPerformance& gear : analysis.gears) {
        if (!gear.upshift)
            continue;
        const Upshift& upshift = *gear.upshift;
        const std::string strNext = GearOrdinal(gear.nGear + 1);
        lines.push_back(GearOrdinal(gear.nGear) + " to " + strNext + " at " + Whole(upshift.rpm) + " RPM, " +
                        (upshift.bAtRedline ? "the redline" : "where " + strNext + " pulls harder") + ", " +
                        readings.SpeedText(upshift.speedKmh) + ": " + Whole(upshift.rpmAfter) + " RPM after, " +
                        readings.ForceText(upshift.wheelForceBeforeN) + " before, " +
                        (upshift.wheelForceAfterN ? readings.ForceText(*upshift.wheelForceAfterN) + " after."
                                                  : "no force after: the RPM falls below the torque curve."));
    }
    if (lines.empty())
        lines.emplace_back("None: one forward gear.");
    return lines;
}

// In the report's units, then in the other ones.
std::string TopSpeedLine(const std::optional<VehicleTopSpeed>& top, Readings readings)
{
    if (!top)
        return "None: no gear's wheel force reaches the road load.";
    const Readings other{readings.units == Units::Us ? Units::Metric : Units::Us};
    return readings.SpeedText(top->kmh) + " (" + other.SpeedText(top->kmh) + ") in " + GearOrdinal(top->nGear) +
           ", limited by " + (top->limit == TopSpeedLimit::Redline ? "the redline." : "the road load.");
}

std::string PerformanceJson(const PerformanceAnalysis& analysis, std::string_view strName)
{
    Json json;
    json["title"] = kPerformanceReportTitle;
    json["name"] = strName;
    json["gears"] = Json::array();
    for (const GearPerformance& gear : analysis.gears) {
        const std::optional<Upshift>& upshift = gear.upshift;
        json["gears"].push_back({
            {"gear", gear.nGear},
            {"ratio", gear.ratio},
            {"finalDrive", gear.finalDrive},
            {"overallRatio", gear.overallRatio},
            {"speedAtRedlineKmh", gear.speedAtRedlineKmh},
            {"upshiftRpm", upshift ? Json(upshift->rpm) : Json(nullptr)},
            {"upshiftAtRedline", upshift && upshift->bAtRedline},
            {"upshiftSpeedKmh", upshift ? Json(upshift->speedKmh) : Json(nullptr)},
            {"rpmAfterUpshift", upshift ? Json(upshift->rpmAfter) : Json(nullptr)},
            {"wheelForceBeforeN", upshift ? Json(upshift->wheelForceBeforeN) : Json(nullptr)},
            {"wheelForceAfterN", upshift ? NumberOrNull(upshift->wheelForceAfterN) : Json(nullptr)},
            {"topSpeedKmh", NumberOrNull(gear.topSpeedKmh)},
            {"topSpeedLimit", LimitOrNull(gear.topSpeedLimit)},
        });
    }
    const std::optional<VehicleTopSpeed>& top = analysis.topSpeed;
    json["topSpeed"] = {{"kmh", top ? Json(top->kmh) : Json(nullptr)},
                        {"mph", top ? Json(top->kmh / kKilometresPerMile) : Json(nullptr)},
                        {"gear", top ? Json(top->nGear) : Json(nullptr)},
                        {"limit", top ? LimitOrNull(top->limit) : Json(nullptr)}};
    json["note"] = kTrueCircumferenceNote;
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string Ratios(const std::vector<double>& ratios)
{
    std::string text;
    for (const double ratio : ratios) {
        if (!text.empty())
            text += ' ';
        text += Ratio(ratio);
    }
    return text;
}

} // namespace

ReportDocument BuildPerformanceReport(const PerformanceAnalysis& analysis, std::string_view strName, Units units)
{
    const Readings readings{units};
    ReportDocument document;
    document.strTitle = std::string(kPerformanceReportTitle) + (strName.empty() ? "" : ": " + std::string(strName));
    const ReportTable gears = GearTable(analysis, readings);
    document.sections.push_back({"gears", "Gears", {}, gears, false});
    document.sections.push_back({"upshifts", "Upshifts", UpshiftLines(analysis, readings), {}, false});
    document.sections.push_back({"topSpeed", "Top speed", {TopSpeedLine(analysis.topSpeed, readings)}, {}, false});
    document.sections.push_back({"chart", "Wheel force", {}, {}, true});
    document.sections.push_back({"note", {}, {std::string(kTrueCircumferenceNote)}, {}, false});
    document.strCsv = FormatCsvTable(gears);
    document.strJson = PerformanceJson(analysis, strName);
    return document;
}

ReportDocument BuildPresetsReport(const PresetList& presets)
{
    ReportTable table;
    table.headers = {"Name", "Forward", "Reverse", "Final drive", "Source"};
    Json json = Json::array();
    for (const GearboxPreset& preset : presets) {
        const Gearbox& gearbox = preset.gearbox;
        table.rows.push_back(
            {preset.strName, Ratios(gearbox.forward), gearbox.reverse ? Ratio(*gearbox.reverse) : std::string(kNone),
             gearbox.finalDrives.empty() ? std::string(kNone) : Ratios(gearbox.finalDrives), preset.strSource});
        Json finalDrive = nullptr;
        if (gearbox.finalDrives.size() == 1)
            finalDrive = gearbox.finalDrives.front();
        else if (!gearbox.finalDrives.empty())
            finalDrive = gearbox.finalDrives;
        json.push_back({{"name", preset.strName},
                        {"forward", gearbox.forward},
                        {"reverse", NumberOrNull(gearbox.reverse)},
                        {"finalDrive", finalDrive},
                        {"source", preset.strSource}});
    }
    ReportDocument document;
    document.strTitle = kPresetsReportTitle;
    document.strCsv = FormatCsvTable(table);
    document.sections.push_back({"presets", "Presets", {}, std::move(table), false});
    document.strJson = json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    return document;
}

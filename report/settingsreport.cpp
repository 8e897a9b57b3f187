#include "report/settingsreport.h"

#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "calc/tiresize.h"
#include "numtext/numtext.h"

namespace {

using Json = nlohmann::ordered_json;
using Cells = std::vector<std::string>;

struct ValueLabel
{
    GearValue value;
    std::string_view strLabel; // for people
    std::string_view strKey;   // for JSON
};

// In reading order: the engine, the gearbox front to back, then what follows it.
constexpr std::array<ValueLabel, 10> kValueLabels{{
    {GearValue::Rpm, "Engine RPM", "rpm"},
    {GearValue::Gear1, "1st gear", "gear1"},
    {GearValue::Gear2, "2nd gear", "gear2"},
    {GearValue::Gear3, "3rd gear", "gear3"},
    {GearValue::Gear4, "4th gear", "gear4"},
    {GearValue::Gear5, "5th gear", "gear5"},
    {GearValue::Gear6, "6th gear", "gear6"},
    {GearValue::Reverse, "Reverse", "reverse"},
    {GearValue::RearEnd, "Rear-end ratio", "rearEnd"},
    {GearValue::TireOD, "Tire diameter (in)", "tireDiameter"},
}};

std::string Cell(const Figure& figure)
{
    const std::string text = figure.Text();
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// A figure at the precision the report shows it; whole RPM as integers; null for N/A.
Json JsonNumber(const Figure& figure)
{
    const std::string text = figure.NumberText();
    if (text.empty())
        return nullptr;
    const double value = CrtStrtod(text).value;
    if (figure.kind == FigureKind::Rpm && std::fabs(value) < 0x1p53)
        return static_cast<std::int64_t>(value);
    return value;
}

Json JsonValues(const GearSettings& settings)
{
    Json values = Json::object();
    for (const ValueLabel& label : kValueLabels) {
        const FigureKind kind = label.value == GearValue::Rpm ? FigureKind::Rpm : FigureKind::Ratio;
        values[std::string(label.strKey)] = JsonNumber(MakeFigure(double{settings[label.value]}, kind));
    }
    return values;
}

ReportTable GearTable(const GearReport& report)
{
    ReportTable table;
    table.headers = {"Gear", "Ratio", "Overall ratio", "MPH", "km/h", "MPH per 1000 RPM"};
    if (report.cruiseMph)
        table.headers.push_back("RPM at " + FormatCruiseSpeedText(*report.cruiseMph));
    if (report.setupB)
        table.headers.emplace_back("Difference to B (%)");
    for (const GearReportRow& row : report.rows) {
        Cells cells = {
            std::string(GearName(row.gear)), Cell(row.ratio), Cell(row.overallRatio), Cell(row.mph), Cell(row.kmh),
            Cell(row.mphPer1000Rpm)};
        if (report.cruiseMph)
            cells.push_back(Cell(row.rpmAtCruise));
        if (report.setupB)
            cells.push_back(Cell(row.differenceToB));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

ReportSection ShiftDropSection(const GearReport& report)
{
    ReportSection section{"shiftDrops", "Shift drops", {}, {}, false};
    if (report.shiftDrops.empty()) {
        section.lines.emplace_back("None: they need two forward gears with a speed.");
        return section;
    }
    section.strHeading += " at " + report.shiftDrops.front().rpmBefore.Text() + " RPM";
    ReportTable table;
    table.headers = {"Shift", "RPM after", "Drop"};
    for (const ShiftDrop& drop : report.shiftDrops)
        table.rows.push_back({std::string(GearName(drop.nFromGear)) + " to " + std::string(GearName(drop.nToGear)),
                              Cell(drop.rpmAfter), Cell(drop.drop)});
    section.table = std::move(table);
    return section;
}

std::string SettingsJson(const GearReport& report)
{
    Json json;
    json["title"] = kReportTitle;
    json["values"] = JsonValues(report.settings);
    json["cruiseMph"] = JsonNumber(MakeFigure(report.cruiseMph, FigureKind::Speed));
    json["gears"] = Json::array();
    for (const GearReportRow& row : report.rows) {
        json["gears"].push_back({{"name", GearName(row.gear)},
                                 {"ratio", JsonNumber(row.ratio)},
                                 {"overallRatio", JsonNumber(row.overallRatio)},
                                 {"mph", JsonNumber(row.mph)},
                                 {"kmh", JsonNumber(row.kmh)},
                                 {"mphPer1000Rpm", JsonNumber(row.mphPer1000Rpm)},
                                 {"rpmAtCruise", JsonNumber(row.rpmAtCruise)},
                                 {"differenceToBPercent", JsonNumber(row.differenceToB)}});
    }
    json["shiftDrops"] = Json::array();
    for (const ShiftDrop& drop : report.shiftDrops) {
        json["shiftDrops"].push_back({{"fromGear", drop.nFromGear},
                                      {"toGear", drop.nToGear},
                                      {"rpmBefore", JsonNumber(drop.rpmBefore)},
                                      {"rpmAfter", JsonNumber(drop.rpmAfter)},
                                      {"drop", JsonNumber(drop.drop)}});
    }
    json["comparison"] = nullptr;
    if (report.setupB)
        json["comparison"] = {{"setupB", JsonValues(*report.setupB)},
                              {"speedometerAt60Mph", JsonNumber(report.speedometerAt60)}};
    json["note"] = kCircumferenceNote;
    // Bytes that are no UTF-8 (none of the report's own texts) are replaced rather than refused.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace

ValueTexts FormatValueTexts(const GearSettings& settings)
{
    ValueTexts texts;
    for (const GearValueInfo& info : kGearExchangeOrder)
        texts[static_cast<std::size_t>(info.value)] =
            CrtFormat(info.value == GearValue::Rpm ? "%.0f" : "%g", {double{settings[info.value]} + 0.0});
    return texts;
}

ReportDocument BuildSettingsReport(const GearReport& report, const ValueTexts& valueTexts)
{
    ReportDocument document;
    document.strTitle = kReportTitle;
    ReportTable values;
    for (const ValueLabel& label : kValueLabels)
        values.rows.push_back({std::string(label.strLabel) + ":", valueTexts[static_cast<std::size_t>(label.value)]});
    document.sections.push_back({"values", "Values", {}, std::move(values), false});
    document.sections.push_back({"gears", "Gears", {}, GearTable(report), false});
    document.sections.push_back(ShiftDropSection(report));
    if (report.setupB) {
        document.sections.push_back({"setupB",
                                     "Setup B",
                                     {DescribeSetup(*report.setupB) + ".",
                                      "Speedometer calibrated for setup B, at a true 60 MPH: " +
                                          Cell(report.speedometerAt60) + (report.speedometerAt60.value ? " MPH" : "")},
                                     {},
                                     false});
    }
    document.sections.push_back({"chart", "Shift chart", {}, {}, true});
    document.sections.push_back({"note", {}, {std::string(kCircumferenceNote)}, {}, false});
    document.strCsvSection = "gears";
    document.strJson = SettingsJson(report);
    return document;
}

ReportDocument BuildSettingsReport(const GearReport& report)
{
    return BuildSettingsReport(report, FormatValueTexts(report.settings));
}

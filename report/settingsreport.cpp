#include "report/settingsreport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "calc/tiresize.h"
#include "numtext/numtext.h"
#include "report/tirereport.h"

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

FigureKind KindOf(GearValue value)
{
    return value == GearValue::Rpm      ? FigureKind::Rpm
           : value == GearValue::TireOD ? FigureKind::Inches
                                        : FigureKind::Ratio;
}

// As people read it: without the blank "%4.1f" puts before a short speed.
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
    for (const ValueLabel& label : kValueLabels)
        values[std::string(label.strKey)] = JsonNumber(MakeFigure(double{settings[label.value]}, KindOf(label.value)));
    return values;
}

// The per-gear columns: for people (with a unit's sign) or, with bPlain, for a spreadsheet (plain numbers, empty
// for N/A, the unit in the header).
ReportTable GearTable(const GearReport& report, bool bPlain)
{
    const auto cell = [bPlain](const Figure& figure) {
        return bPlain ? figure.NumberText() : Cell(figure);
    };
    const bool bMetric = report.units == Units::Metric;
    ReportTable table;
    table.headers = {
        "Gear", "Ratio", "Overall ratio", bMetric ? "km/h" : "MPH", bMetric ? "MPH" : "km/h", "MPH per 1000 RPM"};
    if (report.cruise)
        table.headers.emplace_back("RPM at cruise");
    if (report.setupB)
        table.headers.emplace_back("Difference to B (%)");
    if (report.redlineRpm)
        table.headers.emplace_back(bMetric ? "km/h at redline" : "MPH at redline");
    for (const GearReportRow& row : report.rows) {
        Cells cells = {std::string(GearName(row.gear)),
                       cell(row.ratio),
                       cell(row.overallRatio),
                       cell(bMetric ? row.kmh : row.mph),
                       cell(bMetric ? row.mph : row.kmh),
                       cell(row.mphPer1000Rpm)};
        if (report.cruise)
            cells.push_back(cell(row.rpmAtCruise));
        if (report.setupB)
            cells.push_back(cell(row.differenceToB));
        if (report.redlineRpm)
            cells.push_back(cell(bMetric ? row.kmhAtRedline : row.mphAtRedline));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

std::string CruiseLine(const CruiseSpeed& cruise)
{
    const std::string text = "Cruise speed: " + cruise.Text();
    if (cruise.unit == CruiseSpeed::Unit::Mph)
        return text + ".";
    return text + " (" + Cell(MakeFigure(cruise.Mph(), FigureKind::Speed)) + " MPH).";
}

// The redline, and the gears in which cruising would take the engine past it.
std::string RedlineLine(const GearReport& report)
{
    std::string strGears;
    for (const GearReportRow& row : report.rows) {
        if (row.bCruiseAboveRedline)
            strGears += (strGears.empty() ? "" : ", ") + std::string(GearName(row.gear));
    }
    const std::string text = "Redline: " + MakeFigure(report.redlineRpm, FigureKind::Rpm).Text() + " RPM";
    return strGears.empty() ? text + "." : text + "; cruising takes the engine above it in " + strGears + ".";
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

std::string CsvReport(const GearReport& report)
{
    const ReportTable table = GearTable(report, true);
    std::string out = FormatCsvRecord(table.headers);
    for (const Cells& cells : table.rows)
        out += FormatCsvRecord(cells);
    return out;
}

Json SettingsJson(const GearReport& report)
{
    Json json;
    json["title"] = kReportTitle;
    json["values"] = JsonValues(report.settings);
    json["cruise"] = nullptr;
    if (report.cruise) {
        json["cruise"] = {{"value", report.cruise->value},
                          {"unit", report.cruise->UnitText()},
                          {"mph", JsonNumber(MakeFigure(report.cruise->Mph(), FigureKind::Speed))}};
    }
    json["redlineRpm"] = report.redlineRpm ? JsonNumber(MakeFigure(report.redlineRpm, FigureKind::Rpm)) : Json();
    json["gears"] = Json::array();
    for (const GearReportRow& row : report.rows) {
        Json gear = {{"name", GearName(row.gear)},
                     {"ratio", JsonNumber(row.ratio)},
                     {"overallRatio", JsonNumber(row.overallRatio)},
                     {"mph", JsonNumber(row.mph)},
                     {"kmh", JsonNumber(row.kmh)},
                     {"mphPer1000Rpm", JsonNumber(row.mphPer1000Rpm)},
                     {"rpmAtCruise", JsonNumber(row.rpmAtCruise)},
                     {"differenceToBPercent", JsonNumber(row.differenceToB)}};
        if (report.redlineRpm) {
            gear["mphAtRedline"] = JsonNumber(row.mphAtRedline);
            gear["kmhAtRedline"] = JsonNumber(row.kmhAtRedline);
            gear["cruiseAboveRedline"] = row.bCruiseAboveRedline;
        }
        json["gears"].push_back(std::move(gear));
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
    json["units"] = report.units == Units::Metric ? "metric" : "us";
    json["tireSwap"] = nullptr;
    json["note"] = kCircumferenceNote;
    return json;
}

// A speedometer's error is a fixed share of the speed, so metric users read it at a true 100 km/h.
std::string SpeedometerCheck(Units units)
{
    return units == Units::Metric ? "at a true 100 km/h" : "at a true 60 MPH";
}

Figure SpeedometerReading(const Figure& at60Mph, Units units)
{
    if (units != Units::Metric || !at60Mph.value)
        return at60Mph;
    return MakeFigure(*at60Mph.value * 100.0 / 60.0, at60Mph.kind);
}

// B's tire against the tire now, and the rear ends that give the tire now B's overall gearing.
void AddTireSwap(ReportDocument& document, const TireSwap& swap, const std::vector<AxleRatioList>& axles, Units units,
                 Json& json)
{
    document.sections.push_back(TireTableSection(swap.comparison, "Setup B", "Now", units));
    ReportSection regearing{"regearing", "Regearing", {}, {}, false};
    if (swap.restoringRearEnd) {
        regearing.lines.push_back("A rear end of " + Cell(MakeFigure(swap.restoringRearEnd, FigureKind::Ratio)) +
                                  " gives the tire now setup B's overall gearing.");
    }
    if (!swap.choices.empty()) {
        ReportTable table;
        table.nTextColumns = 2; // the ratio reads as a name here, beside the axles it is sold for
        table.headers = {"Rear end", "Sold for", "Speedometer " + SpeedometerCheck(units), "RPM at cruise"};
        for (const RearEndChoice& choice : swap.choices) {
            std::string strAxles;
            for (const std::string& strAxle : choice.axles)
                strAxles += (strAxles.empty() ? "" : ", ") + strAxle;
            table.rows.push_back({Cell(MakeFigure(choice.ratio, FigureKind::Ratio)), strAxles,
                                  Cell(SpeedometerReading(choice.speedometerAt60, units)), Cell(choice.rpmAtCruise)});
        }
        regearing.table = std::move(table);
    }
    document.sections.push_back(std::move(regearing));
    // Where the ratios listed were checked, for each axle the table names.
    ReportSection sources{"axleSources", {}, {}, {}, false};
    Json jsonSources = Json::array();
    for (const AxleRatioList& axle : axles) {
        const bool bListed = std::any_of(swap.choices.begin(), swap.choices.end(), [&](const RearEndChoice& choice) {
            return std::find(choice.axles.begin(), choice.axles.end(), axle.strAxle) != choice.axles.end();
        });
        if (bListed && !axle.strSource.empty()) {
            sources.lines.push_back("Ratios sold for the " + axle.strAxle + ": " + axle.strSource);
            jsonSources.push_back({{"axle", axle.strAxle}, {"source", axle.strSource}});
        }
    }
    if (!sources.lines.empty())
        document.sections.push_back(std::move(sources));
    Json choices = Json::array();
    for (const RearEndChoice& choice : swap.choices) {
        choices.push_back({{"rearEnd", JsonNumber(MakeFigure(choice.ratio, FigureKind::Ratio))},
                           {"axles", choice.axles},
                           {"speedometerAt60Mph", JsonNumber(choice.speedometerAt60)},
                           {"rpmAtCruise", JsonNumber(choice.rpmAtCruise)}});
    }
    json["tireSwap"] = {{"diameterDifferencePercent",
                         JsonNumber(MakeFigure(swap.comparison.diameterDifferencePercent, FigureKind::Speed))},
                        {"withinGuideline", swap.comparison.bWithinGuideline},
                        {"restoringRearEnd", JsonNumber(MakeFigure(swap.restoringRearEnd, FigureKind::Ratio))},
                        {"nearestRearEnds", choices},
                        {"sources", jsonSources}};
}

} // namespace

ReportDocument BuildSettingsReport(const GearReport& report, const std::vector<AxleRatioList>& axles)
{
    ReportDocument document;
    document.strTitle = kReportTitle;
    ReportTable values;
    for (const ValueLabel& label : kValueLabels)
        values.rows.push_back({std::string(label.strLabel) + ":",
                               Cell(MakeFigure(double{report.settings[label.value]}, KindOf(label.value)))});
    std::vector<std::string> valueLines;
    if (!report.strTireSource.empty())
        valueLines.push_back(report.strTireSource);
    document.sections.push_back({"values", "Values", std::move(valueLines), std::move(values), false});
    ReportSection gears{"gears", "Gears", {}, GearTable(report, false), false};
    if (report.cruise)
        gears.lines.push_back(CruiseLine(*report.cruise));
    if (report.redlineRpm)
        gears.lines.push_back(RedlineLine(report));
    document.sections.push_back(std::move(gears));
    document.sections.push_back(ShiftDropSection(report));
    if (report.setupB) {
        const Figure reading = SpeedometerReading(report.speedometerAt60, report.units);
        document.sections.push_back(
            {"setupB",
             "Setup B",
             {DescribeSetup(*report.setupB) + ".",
              "Speedometer calibrated for setup B, " + SpeedometerCheck(report.units) + ": " + Cell(reading) +
                  (reading.value ? (report.units == Units::Metric ? " km/h" : " MPH") : "")},
             {},
             false});
    }
    Json json = SettingsJson(report);
    if (report.setupB && report.setupB->m_fTireOD != report.settings.m_fTireOD) {
        if (const std::optional<TireSwap> swap =
                ComputeTireSwap(report.settings, *report.setupB, report.cruise, SoldRatios(axles)))
            AddTireSwap(document, *swap, axles, report.units, json);
    }
    document.sections.push_back({"chart", "Shift chart", {}, {}, true});
    document.sections.push_back({"note", {}, {std::string(kCircumferenceNote)}, {}, false});
    document.strCsv = CsvReport(report);
    // Bytes that are no UTF-8 (none of the report's own texts) are replaced rather than refused.
    document.strJson = json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    return document;
}

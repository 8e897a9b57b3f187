#include "settingsfile/reportformats.h"

#include <algorithm>

#include "calc/tiresize.h"
#include "numtext/numtext.h"

namespace {

using Cells = std::vector<std::string>;

struct ValueLabel
{
    GearValue value;
    std::string_view strLabel; // for the text report
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

constexpr std::string_view kColumnGap = "  ";
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string Cell(const Figure& figure)
{
    return std::string(Trim(figure.Text()));
}

// The first column left-aligned, the rest right-aligned, each as wide as its widest cell.
void AppendAligned(std::string& out, const std::vector<Cells>& lines)
{
    std::vector<std::size_t> widths;
    for (const Cells& cells : lines) {
        widths.resize(std::max(widths.size(), cells.size()));
        for (std::size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    }
    for (const Cells& cells : lines) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string padding(widths[i] - cells[i].size(), ' ');
            if (i == 0)
                line += cells[i] + padding;
            else
                line += std::string(kColumnGap) + padding + cells[i];
        }
        out += std::string(Trim(line)) + '\n';
    }
}

std::string GearNumberName(int nGear)
{
    return std::string(GearName(kSpeedTableGears.at(static_cast<std::size_t>(nGear - 1))));
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

std::string JsonNumber(const Figure& figure)
{
    const std::string text = figure.NumberText();
    return text.empty() ? "null" : text;
}

// The record's ten values, as JSON numbers at the precision the report shows them.
std::string JsonValues(const GearSettings& settings)
{
    std::string out = "{";
    for (const ValueLabel& label : kValueLabels) {
        const FigureKind kind = label.value == GearValue::Rpm ? FigureKind::Rpm : FigureKind::Ratio;
        out += (out.size() > 1 ? ", " : "") + FormatJsonString(label.strKey) + ": " +
               JsonNumber(MakeFigure(double{settings[label.value]}, kind));
    }
    return out + "}";
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

ReportTable BuildReportTable(const GearReport& report)
{
    ReportTable table;
    table.headers = {"Gear", "Ratio", "Overall ratio", "MPH", "km/h", "MPH per 1000 RPM"};
    if (report.cruiseMph)
        table.headers.push_back("RPM at " + FormatCruiseSpeedText(*report.cruiseMph));
    if (report.setupB)
        table.headers.emplace_back("Difference to B (%)");
    for (const GearReportRow& row : report.rows) {
        Cells cells = {std::string(row.strName), Cell(row.ratio), Cell(row.overallRatio), Cell(row.mph), Cell(row.kmh),
                       Cell(row.mphPer1000Rpm)};
        if (report.cruiseMph)
            cells.push_back(Cell(row.rpmAtCruise));
        if (report.setupB)
            cells.push_back(Cell(row.differenceToB));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

ReportTable BuildValueTable(const ValueTexts& valueTexts)
{
    ReportTable table;
    for (const ValueLabel& label : kValueLabels)
        table.rows.push_back({std::string(label.strLabel) + ":", valueTexts[static_cast<std::size_t>(label.value)]});
    return table;
}

std::string ShiftDropsHeading(const GearReport& report)
{
    if (report.shiftDrops.empty())
        return "Shift drops: none; they need two forward gears with a speed.";
    return "Shift drops at " + report.shiftDrops.front().rpmBefore.Text() + " RPM:";
}

ReportTable BuildShiftDropTable(const GearReport& report)
{
    ReportTable table;
    table.headers = {"Shift", "RPM after", "Drop"};
    for (const ShiftDrop& drop : report.shiftDrops)
        table.rows.push_back({GearNumberName(drop.nFromGear) + " to " + GearNumberName(drop.nToGear),
                              Cell(drop.rpmAfter), Cell(drop.drop)});
    return table;
}

std::vector<std::string> ComparisonLines(const GearReport& report)
{
    if (!report.setupB)
        return {};
    const ValueTexts textsB = FormatValueTexts(*report.setupB);
    return {CrtFormat("Setup B: %s RPM, rear-end ratio %s, tire %s in.",
                      {std::string_view(textsB[static_cast<std::size_t>(GearValue::Rpm)]),
                       std::string_view(textsB[static_cast<std::size_t>(GearValue::RearEnd)]),
                       std::string_view(textsB[static_cast<std::size_t>(GearValue::TireOD)])}),
            "Speedometer calibrated for setup B, at a true 60 MPH: " + Cell(report.speedometerAt60) +
                (report.speedometerAt60.value ? " MPH" : "")};
}

std::string FormatTextReport(const GearReport& report, const ValueTexts& valueTexts)
{
    std::string out = std::string(kReportTitle) + "\n\n";
    AppendAligned(out, BuildValueTable(valueTexts).rows);

    const ReportTable table = BuildReportTable(report);
    std::vector<Cells> gearLines = {table.headers};
    gearLines.insert(gearLines.end(), table.rows.begin(), table.rows.end());
    out += '\n';
    AppendAligned(out, gearLines);

    out += '\n' + ShiftDropsHeading(report) + '\n';
    if (const ReportTable drops = BuildShiftDropTable(report); !drops.rows.empty()) {
        std::vector<Cells> dropLines = {drops.headers};
        dropLines.insert(dropLines.end(), drops.rows.begin(), drops.rows.end());
        AppendAligned(out, dropLines);
    }

    const std::vector<std::string> comparison = ComparisonLines(report);
    if (!comparison.empty())
        out += '\n';
    for (const std::string& line : comparison)
        out += line + '\n';
    out += '\n' + std::string(kCircumferenceNote) + '\n';
    return out;
}

std::string FormatTextReport(const GearReport& report)
{
    return FormatTextReport(report, FormatValueTexts(report.settings));
}

std::string FormatCsvRecord(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += (i == 0 ? "" : ",") + CsvField(fields[i]);
    return out + "\r\n";
}

std::string FormatCsvReport(const GearReport& report)
{
    const ReportTable table = BuildReportTable(report);
    std::string out = FormatCsvRecord(table.headers);
    for (const Cells& cells : table.rows)
        out += FormatCsvRecord(cells);
    return out;
}

std::string FormatJsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (const auto byte = static_cast<unsigned char>(ch); byte < 0x20) {
                out += "\\u00";
                out += kHexDigits[byte >> 4];
                out += kHexDigits[byte & 0xF];
            } else {
                out += ch; // UTF-8 passes through
            }
        }
    }
    return out + '"';
}

std::string FormatJsonReport(const GearReport& report)
{
    std::string out = "{\n";
    out += "  \"title\": " + FormatJsonString(kReportTitle) + ",\n";
    out += "  \"values\": " + JsonValues(report.settings) + ",\n";
    out += "  \"cruiseMph\": " + JsonNumber(MakeFigure(report.cruiseMph, FigureKind::Speed)) + ",\n";
    out += "  \"gears\": [";
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        const GearReportRow& row = report.rows[i];
        out += std::string(i == 0 ? "\n" : ",\n") + "    {\"name\": " + FormatJsonString(row.strName) +
               ", \"ratio\": " + JsonNumber(row.ratio) + ", \"overallRatio\": " + JsonNumber(row.overallRatio) +
               ", \"mph\": " + JsonNumber(row.mph) + ", \"kmh\": " + JsonNumber(row.kmh) +
               ", \"mphPer1000Rpm\": " + JsonNumber(row.mphPer1000Rpm) +
               ", \"rpmAtCruise\": " + JsonNumber(row.rpmAtCruise) +
               ", \"differenceToBPercent\": " + JsonNumber(row.differenceToB) + "}";
    }
    out += "\n  ],\n  \"shiftDrops\": [";
    for (std::size_t i = 0; i < report.shiftDrops.size(); ++i) {
        const ShiftDrop& drop = report.shiftDrops[i];
        out += CrtFormat("%s\n    {\"fromGear\": %d, \"toGear\": %d, ",
                         {std::string_view(i == 0 ? "" : ","), drop.nFromGear, drop.nToGear});
        out += "\"rpmBefore\": " + JsonNumber(drop.rpmBefore) + ", \"rpmAfter\": " + JsonNumber(drop.rpmAfter) +
               ", \"drop\": " + JsonNumber(drop.drop) + "}";
    }
    out += report.shiftDrops.empty() ? "],\n" : "\n  ],\n";
    if (report.setupB)
        out += "  \"comparison\": {\"setupB\": " + JsonValues(*report.setupB) +
               ", \"speedometerAt60Mph\": " + JsonNumber(report.speedometerAt60) + "},\n";
    else
        out += "  \"comparison\": null,\n";
    out += "  \"note\": " + FormatJsonString(kCircumferenceNote) + "\n}\n";
    return out;
}

std::string_view ReportFormatExtension(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Text:
        return "txt";
    case ReportFormat::Csv:
        return "csv";
    case ReportFormat::Json:
        return "json";
    case ReportFormat::Pdf:
        return "pdf";
    case ReportFormat::Svg:
        return "svg";
    case ReportFormat::Png:
        return "png";
    }
    return {};
}

std::optional<ReportFormat> ReportFormatOfPath(std::string_view strPath)
{
    const std::string_view name = strPath.substr(strPath.rfind('/') + 1);
    const std::size_t nDot = name.rfind('.');
    // A dot that starts the name makes it hidden, not an extension.
    if (nDot == std::string_view::npos || nDot == 0)
        return std::nullopt;
    std::string extension(name.substr(nDot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
    for (const ReportFormat format : {ReportFormat::Text, ReportFormat::Csv, ReportFormat::Json, ReportFormat::Pdf,
                                      ReportFormat::Svg, ReportFormat::Png}) {
        if (extension == ReportFormatExtension(format))
            return format;
    }
    return std::nullopt;
}

#pragma once

// The per-gear report as text for standard output and .txt export, as CSV and as JSON. All three are built
// from one GearReport and show its figures' own texts, so they agree with the workbench panel and the printed
// page. Numbers are written with '.' as the decimal mark in every locale. Standard library only: writing the
// bytes to a file is the caller's.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/gearreport.h"
#include "calc/gearsettings.h"

inline constexpr std::string_view kReportTitle = "Corvane Ratiograph Report";

// The ten values' texts, indexed by GearValue.
using ValueTexts = std::array<std::string, 10>;

// "%g" of each value, the RPM "%.0f": the texts of a record that is not shown in fields.
ValueTexts FormatValueTexts(const GearSettings& settings);

// The per-gear table of the text report and the CSV: Gear, Ratio, Overall ratio, MPH, km/h, MPH per 1000 RPM,
// then "RPM at <speed>" when a cruise speed is set and "Difference to B (%)" when B is held. Cells are the
// figures' display texts without padding blanks, "N/A" where there is no figure.
struct ReportTable
{
    std::vector<std::string> headers;
    std::vector<std::vector<std::string>> rows; // in kSpeedTableGears order
};

ReportTable BuildReportTable(const GearReport& report);

// The ten values as "Engine RPM:" and its text, one row each in reading order (the engine, the gearbox, what
// follows it); no headers.
ReportTable BuildValueTable(const ValueTexts& valueTexts);
// "Shift drops at 1500 RPM:", or the sentence that says there are none.
std::string ShiftDropsHeading(const GearReport& report);
// Shift, RPM after, Drop: one row per upshift; no rows when there are none.
ReportTable BuildShiftDropTable(const GearReport& report);
// Setup B's values and the speedometer reading at a true 60 MPH, one sentence each; none without B.
std::vector<std::string> ComparisonLines(const GearReport& report);

// The title, the ten values as valueTexts give them (a printed page shows them as the fields hold them), the
// per-gear table in aligned columns, the shift drops, the comparison when B is held and what 3.124 means.
// LF line ends.
std::string FormatTextReport(const GearReport& report, const ValueTexts& valueTexts);
// With FormatValueTexts of the report's record.
std::string FormatTextReport(const GearReport& report);

// One CSV record: fields joined by commas, a field holding a comma, a quote or a line break quoted with its
// quotes doubled (RFC 4180), then CR LF.
std::string FormatCsvRecord(const std::vector<std::string>& fields);
// The per-gear table as RFC 4180 CSV: a header row and one record per gear, CR LF after every record.
std::string FormatCsvReport(const GearReport& report);

// A JSON string literal: quotes, backslashes and control characters escaped (RFC 8259), UTF-8 kept as it is.
std::string FormatJsonString(std::string_view text);
// One JSON object (RFC 8259) holding the whole report; its keys are documented in ratiograph(1), JSON REPORT.
// Numbers at the precision the displays show; N/A and values that are not finite are null.
std::string FormatJsonReport(const GearReport& report);

// The forms a report is written in; a file name's extension names one.
enum class ReportFormat
{
    Text,
    Csv,
    Json,
    Pdf,
    Svg, // the shift chart alone
    Png, // the shift chart alone
};

// "txt", "csv", "json", "pdf", "svg", "png".
std::string_view ReportFormatExtension(ReportFormat format);
// The format the extension of a path's last part names, in any case; nothing for another or no extension.
std::optional<ReportFormat> ReportFormatOfPath(std::string_view strPath);

// A chart image's size in pixels: 800 x 600 unless the user asks otherwise, within limits that keep an image's
// memory within reason (8000 x 8000 x 4 bytes is 256 MB).
struct ImageSize
{
    int nWidth = 800;
    int nHeight = 600;
};
inline constexpr int kImagePixelsMin = 16;
inline constexpr int kImagePixelsMax = 8000;

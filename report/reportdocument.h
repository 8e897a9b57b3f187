#pragma once

// The report layer: what the program tells in a report, as plain data, and its textual forms. A report is a
// ReportDocument: a title and sections for people (a heading, lines of text, a table, or the place of the
// report's chart) and the same figures as JSON for scripts. Text, CSV and JSON are written here from any
// document; ui/ draws the printed page and the chart images from the same document, and the command line writes
// the textual forms without any window. Each report builds its document in a file of its own (settingsreport.h,
// performancereport.h).
// Uses the standard library, nlohmann-json, the gearing core, the settings file and the number texts; no Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/reportformat.h"

// A table's cells as people read them: "12.4", "-5.7%", "N/A", "1st".
struct ReportTable
{
    std::vector<std::string> headers; // none for a table of labels and values
    std::vector<std::vector<std::string>> rows;
};

struct ReportSection
{
    std::string strKey;             // names the section to code: "gears", "setupB"
    std::string strHeading;         // none for a closing note
    std::vector<std::string> lines; // sentences, before the table
    std::optional<ReportTable> table;
    bool bChart = false; // the report's chart stands here, in the drawn forms only
};

struct ReportDocument
{
    std::string strTitle;
    std::vector<ReportSection> sections;
    std::string strCsvSection; // the section whose table is the CSV form
    std::string strJson;       // the report for scripts, one JSON value (RFC 8259), keys in ratiograph(1)
};

// The title, then each section after a blank line: its heading and a colon, its lines, its table in aligned
// columns (the first left-aligned, the others right-aligned). Sections of the chart are left out. LF line ends.
std::string FormatTextReport(const ReportDocument& document);

// One CSV record: fields joined by commas, a field holding a comma, a quote or a line break quoted with its
// quotes doubled (RFC 4180), then CR LF.
std::string FormatCsvRecord(const std::vector<std::string>& fields);
// The document's CSV table: a header record and one record per row.
std::string FormatCsvReport(const ReportDocument& document);

// Text, CSV or JSON; nothing for a drawn format.
std::optional<std::string> FormatTextualReport(ReportFormat format, const ReportDocument& document);

const ReportSection* FindSection(const ReportDocument& document, std::string_view strKey);

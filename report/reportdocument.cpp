#include "report/reportdocument.h"

#include <algorithm>

namespace {

constexpr std::string_view kColumnGap = "  ";

std::string_view TrimEnd(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Words left-aligned, numbers right-aligned, each column as wide as its widest cell.
void AppendAligned(std::string& out, const ReportTable& table)
{
    std::vector<std::vector<std::string>> lines;
    if (!table.headers.empty())
        lines.push_back(table.headers);
    lines.insert(lines.end(), table.rows.begin(), table.rows.end());
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& cells : lines) {
        widths.resize(std::max(widths.size(), cells.size()));
        for (std::size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    }
    for (const std::vector<std::string>& cells : lines) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string padding(widths[i] - cells[i].size(), ' ');
            if (i > 0)
                line += kColumnGap;
            line += i < table.nTextColumns ? cells[i] + padding : padding + cells[i];
        }
        out += std::string(TrimEnd(line)) + '\n';
    }
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

} // namespace

std::string FormatTextReport(const ReportDocument& document)
{
    std::string out = document.strTitle + "\n";
    for (const ReportSection& section : document.sections) {
        if (section.bChart)
            continue;
        out += '\n';
        if (!section.strHeading.empty())
            out += section.strHeading + ":\n";
        for (const std::string& line : section.lines)
            out += line + '\n';
        if (section.table)
            AppendAligned(out, *section.table);
    }
    return out;
}

std::string FormatCsvRecord(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += CsvField(fields[i]);
    }
    return out + "\r\n";
}

std::string FormatCsvTable(const ReportTable& table)
{
    std::string out = FormatCsvRecord(table.headers);
    for (std::vector<std::string> cells : table.rows) {
        for (std::string& cell : cells) {
            if (cell == "N/A")
                cell.clear();
        }
        out += FormatCsvRecord(cells);
    }
    return out;
}

std::optional<std::string> FormatTextualReport(ReportFormat format, const ReportDocument& document)
{
    switch (format) {
    case ReportFormat::Text:
        return FormatTextReport(document);
    case ReportFormat::Csv:
        return document.strCsv;
    case ReportFormat::Json:
        return document.strJson;
    default:
        return std::nullopt;
    }
}

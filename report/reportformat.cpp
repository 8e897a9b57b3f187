#include "report/reportformat.h"

#include <string>

#include "numtext/asciitext.h"

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

std::string_view ReportFormatName(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Pdf:
        return "PDF document";
    case ReportFormat::Csv:
        return "CSV table";
    case ReportFormat::Png:
        return "PNG chart image";
    case ReportFormat::Svg:
        return "SVG chart drawing";
    case ReportFormat::Json:
        return "JSON report";
    case ReportFormat::Text:
        return "Text report";
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
    for (const ReportFormat format : kReportFormats) {
        if (EqualsNoCase(name.substr(nDot + 1), ReportFormatExtension(format)))
            return format;
    }
    return std::nullopt;
}

bool IsDrawnFormat(ReportFormat format)
{
    return format == ReportFormat::Pdf || format == ReportFormat::Svg || format == ReportFormat::Png;
}

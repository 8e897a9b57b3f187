#pragma once

// The forms a report is written in, told by a file name's extension, and the limits of a chart image.

#include <optional>
#include <string_view>

enum class ReportFormat
{
    Text,
    Csv,
    Json,
    Pdf, // the printed page
    Svg, // the chart alone
    Png, // the chart alone
};

inline constexpr ReportFormat kReportFormats[] = {ReportFormat::Text, ReportFormat::Csv, ReportFormat::Json,
                                                  ReportFormat::Pdf,  ReportFormat::Svg, ReportFormat::Png};

// "txt", "csv", "json", "pdf", "svg", "png".
std::string_view ReportFormatExtension(ReportFormat format);
// What a file dialog calls each: "PDF document", "CSV table", "PNG chart image"...
std::string_view ReportFormatName(ReportFormat format);
// The format the extension of a path's last part names, in any case; nothing for another or no extension.
std::optional<ReportFormat> ReportFormatOfPath(std::string_view strPath);
// PDF, SVG and PNG are drawn, by the window system's painter; text, CSV and JSON are written here.
bool IsDrawnFormat(ReportFormat format);

// A chart image's size in pixels: 800 x 600 unless the user asks otherwise, within limits that keep an image's
// memory within reason (8000 x 8000 x 4 bytes is 256 MB). Whatever draws an image holds to the same limits.
struct ImageSize
{
    int nWidth = 800;
    int nHeight = 600;
};
inline constexpr int kImagePixelsMin = 16;
inline constexpr int kImagePixelsMax = 8000;

constexpr bool IsImageSizeAllowed(int nWidth, int nHeight)
{
    return nWidth >= kImagePixelsMin && nWidth <= kImagePixelsMax && nHeight >= kImagePixelsMin &&
           nHeight <= kImagePixelsMax;
}

#pragma once

// Printed and exported documents: a page given as plain data, drawn by the window system's painter on paper, in
// a PDF or as a chart image. The page is laid out top to bottom on one sheet and shrinks to fit it; texts are
// UTF-8. No Qt type appears here: ui/ composes the page, this layer draws it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plot.h"
#include "platform/window.h"
#include "report/reportdocument.h"

struct PageBlock
{
    enum class Kind
    {
        Title,
        Heading,
        Text,  // a paragraph, wrapped at the page's width
        Table, // words left-aligned, numbers right-aligned, each column as wide as its widest cell
        Chart, // the plot, as wide as the page, in black on white
    };
    Kind kind = Kind::Text;
    std::string strText;                        // Title, Heading, Text
    std::vector<std::string> headers;           // Table: drawn bold above a rule; none for a table without them
    std::vector<std::vector<std::string>> rows; // Table
    PlotData chart;                             // Chart
    std::size_t nTextColumns = 1;               // Table: the leading columns of words
};

struct PageDocument
{
    std::string strTitle; // the document's name in the PDF and for the print queue
    std::vector<PageBlock> blocks;
};

// A report's page: the title, the date, then each section: its heading, its lines, its table, or the chart.
PageDocument ComposeReportPage(const ReportDocument& document, const PlotData& chart, std::string_view strDate);
// Today's date in the local time zone, as 2024-05-31.
std::string TodayText();

// A PDF of the page on A4, as bytes; empty when drawing failed.
std::string RenderPagePdf(const PageDocument& page);
// A chart image of the given size in pixels, on white: an SVG (vector paths, the description as its <desc>) or
// a PNG, as bytes; empty when drawing failed.
std::string RenderChartSvg(const PlotData& plot, int nWidth, int nHeight);
std::string RenderChartPng(const PlotData& plot, int nWidth, int nHeight);
// A report's file in any format: text, CSV or JSON as report/ writes them, the page with the chart in it (PDF), or
// the chart alone (SVG, PNG) at imageSize; empty when drawing failed.
std::string RenderReportFile(ReportFormat format, const ReportDocument& document, const PlotData& chart,
                             ImageSize imageSize = {});

namespace platform {

enum class PrintOutcome
{
    Printed,
    Cancelled,
    Failed, // the printer or the output file could not be opened
};

// Shows the desktop's print dialog (which can also print to a PDF file) and prints the page on the printer
// chosen. Goes through the modal seam (platform/modalseam.h) when a test has installed one.
PrintOutcome PrintPage(HWND hOwner, const PageDocument& page);

} // namespace platform

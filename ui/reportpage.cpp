#include "ui/reportpage.h"

#include <ctime>

#include "calc/shiftchart.h"
#include "numtext/numtext.h"
#include "ui/shiftchartplot.h"

namespace {

PageBlock TextBlock(PageBlock::Kind kind, std::string strText)
{
    PageBlock block;
    block.kind = kind;
    block.strText = std::move(strText);
    return block;
}

} // namespace

PageDocument ComposeReportPage(const ReportDocument& document, const PlotData& chart, std::string_view strDate)
{
    using Kind = PageBlock::Kind;
    PageDocument page;
    page.strTitle = document.strTitle;
    page.blocks.push_back(TextBlock(Kind::Title, document.strTitle));
    page.blocks.push_back(TextBlock(Kind::Text, "Date: " + std::string(strDate)));
    for (const ReportSection& section : document.sections) {
        if (!section.strHeading.empty())
            page.blocks.push_back(TextBlock(Kind::Heading, section.strHeading));
        for (const std::string& line : section.lines)
            page.blocks.push_back(TextBlock(Kind::Text, line));
        if (section.table) {
            PageBlock table;
            table.kind = Kind::Table;
            table.headers = section.table->headers;
            table.rows = section.table->rows;
            page.blocks.push_back(std::move(table));
        }
        if (section.bChart) {
            PageBlock block;
            block.kind = Kind::Chart;
            block.chart = chart;
            page.blocks.push_back(std::move(block));
        }
    }
    return page;
}

PlotData ComposeReportChart(const GearReport& report)
{
    const GearSettings* pSetupB = report.setupB ? &*report.setupB : nullptr;
    const ShiftChart chartB = pSetupB != nullptr ? ComputeShiftGears(*pSetupB) : ShiftChart{};
    return MakeShiftChartPlot(ComputeShiftChart(report.settings, pSetupB), pSetupB != nullptr ? &chartB : nullptr,
                              report.cruiseMph);
}

std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (localtime_r(&now, &local) == nullptr)
        return {};
    return CrtFormat("%04d-%02d-%02d", {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

std::string RenderSettingsReport(ReportFormat format, const GearReport& report, const ValueTexts& valueTexts,
                                 ImageSize imageSize)
{
    const ReportDocument document = BuildSettingsReport(report, valueTexts);
    if (std::optional<std::string> text = FormatTextualReport(format, document))
        return std::move(*text);
    const PlotData chart = ComposeReportChart(report);
    switch (format) {
    case ReportFormat::Pdf:
        return RenderPagePdf(ComposeReportPage(document, chart, TodayText()));
    case ReportFormat::Svg:
        return RenderChartSvg(chart, imageSize.nWidth, imageSize.nHeight);
    case ReportFormat::Png:
        return RenderChartPng(chart, imageSize.nWidth, imageSize.nHeight);
    default:
        return {};
    }
}

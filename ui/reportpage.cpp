#include "ui/reportpage.h"

#include <ctime>

#include "calc/shiftchart.h"
#include "calc/tiresize.h"
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

PageBlock TableBlock(ReportTable table)
{
    PageBlock block;
    block.kind = PageBlock::Kind::Table;
    block.headers = std::move(table.headers);
    block.rows = std::move(table.rows);
    return block;
}

} // namespace

PageDocument ComposeReportPage(const GearReport& report, const ValueTexts& valueTexts, std::string_view strDate)
{
    using Kind = PageBlock::Kind;
    PageDocument page;
    page.strTitle = std::string(kReportTitle);
    page.blocks.push_back(TextBlock(Kind::Title, std::string(kReportTitle)));
    page.blocks.push_back(TextBlock(Kind::Text, "Date: " + std::string(strDate)));
    page.blocks.push_back(TextBlock(Kind::Heading, "Values"));
    page.blocks.push_back(TableBlock(BuildValueTable(valueTexts)));
    page.blocks.push_back(TextBlock(Kind::Heading, "Gears"));
    page.blocks.push_back(TableBlock(BuildReportTable(report)));
    std::string strDropsHeading = ShiftDropsHeading(report);
    if (strDropsHeading.ends_with(':'))
        strDropsHeading.pop_back(); // a heading needs no colon before its table
    page.blocks.push_back(TextBlock(Kind::Heading, std::move(strDropsHeading)));
    if (ReportTable drops = BuildShiftDropTable(report); !drops.rows.empty())
        page.blocks.push_back(TableBlock(std::move(drops)));
    if (report.setupB) {
        page.blocks.push_back(TextBlock(Kind::Heading, "Setup B"));
        for (std::string& line : ComparisonLines(report))
            page.blocks.push_back(TextBlock(Kind::Text, std::move(line)));
    }
    page.blocks.push_back(TextBlock(Kind::Heading, "Shift chart"));
    PageBlock chart;
    chart.kind = Kind::Chart;
    chart.chart = ComposeReportChart(report);
    page.blocks.push_back(std::move(chart));
    page.blocks.push_back(TextBlock(Kind::Text, std::string(kCircumferenceNote)));
    return page;
}

PlotData ComposeReportChart(const GearReport& report)
{
    const ShiftChart chart = ComputeShiftChart(report.settings);
    if (!report.setupB)
        return MakeShiftChartPlot(chart);
    const ShiftChart chartB = ComputeShiftChart(*report.setupB);
    return MakeShiftChartPlot(chart, &chartB);
}

std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (localtime_r(&now, &local) == nullptr)
        return {};
    return CrtFormat("%04d-%02d-%02d", {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

std::string RenderReport(ReportFormat format, const GearReport& report, const ValueTexts& valueTexts,
                         ImageSize imageSize)
{
    switch (format) {
    case ReportFormat::Text:
        return FormatTextReport(report, valueTexts);
    case ReportFormat::Csv:
        return FormatCsvReport(report);
    case ReportFormat::Json:
        return FormatJsonReport(report);
    case ReportFormat::Pdf:
        return RenderPagePdf(ComposeReportPage(report, valueTexts, TodayText()));
    case ReportFormat::Svg:
        return RenderChartSvg(ComposeReportChart(report), imageSize.nWidth, imageSize.nHeight);
    case ReportFormat::Png:
        return RenderChartPng(ComposeReportChart(report), imageSize.nWidth, imageSize.nHeight);
    }
    return {};
}

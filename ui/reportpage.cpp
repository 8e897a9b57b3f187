#include "ui/reportpage.h"

#include "calc/shiftchart.h"
#include "numtext/numtext.h"
#include "ui/shiftchartplot.h"

PlotData ComposeReportChart(const GearReport& report)
{
    const GearSettings* pSetupB = report.setupB ? &*report.setupB : nullptr;
    const ShiftChart chartB = pSetupB != nullptr ? ComputeShiftGears(*pSetupB) : ShiftChart{};
    return MakeShiftChartPlot(ComputeShiftChart(report.settings, pSetupB), pSetupB != nullptr ? &chartB : nullptr,
                              report.cruise);
}

std::string RenderSettingsReport(ReportFormat format, const GearReport& report, ImageSize imageSize)
{
    return RenderReportFile(format, BuildSettingsReport(report), ComposeReportChart(report), imageSize);
}

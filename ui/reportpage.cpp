#include "ui/reportpage.h"

#include "calc/shiftchart.h"
#include "numtext/numtext.h"
#include "settingsfile/axlesfile.h"
#include "ui/shiftchartplot.h"

PlotData ComposeReportChart(const GearReport& report)
{
    const GearSettings* pSetupB = report.setupB ? &*report.setupB : nullptr;
    const ShiftChart chartB = pSetupB != nullptr ? ComputeShiftGears(*pSetupB) : ShiftChart{};
    return MakeShiftChartPlot(ComputeShiftChart(report.settings, pSetupB), pSetupB != nullptr ? &chartB : nullptr,
                              report.cruise);
}

std::string RenderSettingsReport(ReportFormat format, const GearReport& report, ImageSize imageSize,
                                 const std::vector<AxleRatioList>& axles)
{
    return RenderReportFile(format, BuildSettingsReport(report, axles), ComposeReportChart(report), imageSize);
}

const std::vector<AxleRatioList>& ShippedAxles()
{
    // A report without the list still has the restoring ratio; the command line says why the list is missing.
    static const std::vector<AxleRatioList> axles = LoadInstalledAxles().value.value_or(std::vector<AxleRatioList>{});
    return axles;
}

#include "ui/reportactions.h"

#include <optional>
#include <string>

#include "platform/document.h"
#include "settingsfile/atomicfile.h"
#include "ui/chartsizedlg.h"
#include "ui/exchange/wnd.h"
#include "ui/reportpage.h"

namespace {

constexpr std::string_view kDefaultExportName = "ratiograph-report.pdf";

HWND OwnerHandle(CWnd* pOwner)
{
    return pOwner != nullptr ? pOwner->m_hWnd : nullptr;
}

} // namespace

bool PrintGearReport(CWnd* pOwner, const GearReport& report)
{
    const PageDocument page =
        ComposeReportPage(BuildSettingsReport(report, ShippedAxles()), ComposeReportChart(report), TodayText());
    const platform::PrintOutcome outcome = platform::PrintPage(OwnerHandle(pOwner), page);
    if (outcome == platform::PrintOutcome::Failed)
        platform::MessageBox(OwnerHandle(pOwner), "Error printing.", "ERROR", MB_OK);
    return outcome == platform::PrintOutcome::Printed;
}

bool ExportGearReport(CWnd* pOwner, const GearReport& report)
{
    FileDialogOptions options;
    options.strFileName = std::string(kDefaultExportName);
    for (const ReportFormat format : kExportFormats)
        options.filters.push_back({std::string(ReportFormatName(format)), std::string(ReportFormatExtension(format))});
    const std::optional<std::string> path = platform::GetSaveFileName(OwnerHandle(pOwner), options);
    if (!path)
        return false;
    // The dialog gives every name one of the offered extensions.
    const ReportFormat format = ReportFormatOfPath(*path).value_or(kExportFormats[0]);
    ImageSize size;
    if (format == ReportFormat::Png || format == ReportFormat::Svg) {
        CChartSizeDlg sizeDialog(&size, pOwner);
        if (sizeDialog.RunModal() != IDOK)
            return false;
    }
    const std::string bytes = RenderSettingsReport(format, report, size, ShippedAxles());
    if (bytes.empty() || !WriteFileAtomically(*path, bytes)) {
        platform::MessageBox(OwnerHandle(pOwner), "Error saving file.", "ERROR", MB_OK);
        return false;
    }
    return true;
}

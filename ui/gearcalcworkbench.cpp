// The calculator's workbench panel: the handlers of its controls and the figures it shows.

#include <string>

#include "calc/calculatorvehicle.h"
#include "calc/tiresize.h"
#include "platform/performance/performancewindow.h"
#include "platform/tires/tirewindow.h"
#include "settingsfile/settingsfile.h"
#include "ui/exchange/formexchange.h"
#include "ui/gearcalcdlg.h"
#include "ui/reportactions.h"
#include "ui/reportpage.h"

void CGearCalcDlg::OnWorkbench()
{
    m_bWorkbench = platform::IsButtonChecked(GetDlgItem(IDC_WORKBENCH));
    if (m_bWorkbench)
        UpdateWorkbench();
    platform::ShowDialogExtension(m_hWnd, m_bWorkbench);
}

GearReport CGearCalcDlg::CurrentReport() const
{
    return m_workbench.Report(m_settings);
}

void CGearCalcDlg::UpdateWorkbench()
{
    ShowWorkbenchProblems();
    const GearReport report = CurrentReport();
    const bool bMetric = report.units == Units::Metric;
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        const GearReportRow& row = report.rows[i];
        const int nRow = static_cast<int>(i);
        SetTextIfChanged(GetDlgItem(IDC_KMH1 + nRow), row.kmh.Text());
        if (row.gear == GearValue::Reverse)
            continue;
        // Past the redline the cell says so in its text, which reads the same in any palette.
        HWND hCruiseRpm = GetDlgItem(IDC_CRUISE_RPM1 + nRow);
        SetTextIfChanged(hCruiseRpm,
                         report.cruise ? row.rpmAtCruise.Text() + (row.bCruiseAboveRedline ? "!" : "") : "");
        platform::SetDescription(hCruiseRpm, row.bCruiseAboveRedline ? "above the redline" : "");
        SetTextIfChanged(GetDlgItem(IDC_DIFF_B1 + nRow), report.setupB ? row.differenceToB.Text() : "");
        const Figure& atRedline = bMetric ? row.kmhAtRedline : row.mphAtRedline;
        SetTextIfChanged(GetDlgItem(IDC_REDLINE_SPEED1 + nRow), report.redlineRpm ? atRedline.Text() : "");
    }
    SetTextIfChanged(GetDlgItem(IDC_REDLINE_HEADER), bMetric ? "km/h at redline" : "MPH at redline");
    // A gear with no upshift (not fitted, or the top one) shows N/A.
    std::array<std::string, 5> drops;
    drops.fill("N/A");
    for (const ShiftDrop& drop : report.shiftDrops) {
        if (drop.nFromGear >= 1 && drop.nFromGear <= 5)
            drops[static_cast<std::size_t>(drop.nFromGear - 1)] = ShiftDropText(drop);
    }
    for (std::size_t i = 0; i < drops.size(); ++i)
        SetTextIfChanged(GetDlgItem(IDC_SHIFT_DROP1 + static_cast<int>(i)), drops[i]);
    SetTextIfChanged(GetDlgItem(IDC_SPEEDOMETER), report.setupB ? report.speedometerAt60.Text() : "");
}

void CGearCalcDlg::ShowWorkbenchProblems()
{
    platform::SetFieldError(GetDlgItem(IDC_CRUISE_SPEED), m_workbench.CruiseProblem());
    platform::SetFieldError(GetDlgItem(IDC_TIRE_SIZE), m_workbench.TireSizeProblem());
    platform::SetFieldError(GetDlgItem(IDC_REVS_PER_MILE), m_workbench.RevsProblem());
    platform::SetFieldError(GetDlgItem(IDC_REDLINE), m_workbench.RedlineProblem());
    const std::string problems = m_workbench.Problems();
    SetTextIfChanged(GetDlgItem(IDC_WORKBENCH_MESSAGE), problems.empty() ? m_workbench.TireLine(m_settings) : problems);
}

void CGearCalcDlg::OnChangeCruiseSpeed()
{
    m_workbench.SetCruiseText(GetDlgItemText(IDC_CRUISE_SPEED));
    // The chart's description and the Tires window tell the cruise speed too.
    ShowFigures();
}

void CGearCalcDlg::OnChangeRedline()
{
    m_workbench.SetRedlineText(GetDlgItemText(IDC_REDLINE));
    ShowFigures();
}

void CGearCalcDlg::OnMetric()
{
    const bool bMetric = platform::IsButtonChecked(GetDlgItem(IDC_METRIC));
    const Units units = bMetric ? Units::Metric : Units::Us;
    if (units == m_workbench.GetUnits())
        return;
    m_workbench.SetUnits(units);
    platform::WriteProfileInt(kMetricKey, bMetric ? 1 : 0);
    SetDlgItemText(IDC_B_STATUS, m_workbench.SetupBStatus());
    // The cruise speed typed without a unit now means the other one, and the chart shows it.
    ShowFigures();
}

void CGearCalcDlg::OnChangeTireSize()
{
    m_workbench.SetTireSizeText(GetDlgItemText(IDC_TIRE_SIZE));
    const std::optional<TireSize>& size = m_workbench.TypedTireSize();
    const TireSizeTexts texts = size ? FormatTireSizeTexts(*size) : TireSizeTexts{};
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_INCHES), texts.strInches);
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_MM), texts.strMillimetres);
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_REVS), texts.strRevsPerMile);
    ShowWorkbenchProblems();
}

void CGearCalcDlg::OnChangeRevsPerMile()
{
    m_workbench.SetRevsPerMileText(GetDlgItemText(IDC_REVS_PER_MILE));
    ShowWorkbenchProblems();
}

void CGearCalcDlg::OnUseTireSize()
{
    if (const std::optional<TireSize>& size = m_workbench.TypedTireSize()) {
        m_workbench.NoteTireFromSize(size->inches);
        // A write like any other: the field's change recalculates, prompts and all.
        SetDlgItemText(IDC_TIRE_OD, FormatTireFieldText(size->inches));
        return;
    }
    m_workbench.InsistOnTireSize();
    ShowWorkbenchProblems();
}

void CGearCalcDlg::OnUseRevsPerMile()
{
    if (const std::optional<double> inches = m_workbench.CalibratedTireDiameter()) {
        m_workbench.NoteTireFromRevsPerMile(*inches);
        SetDlgItemText(IDC_TIRE_OD, FormatTireFieldText(*inches));
        return;
    }
    m_workbench.InsistOnRevsPerMile();
    ShowWorkbenchProblems();
}

void CGearCalcDlg::ShowSetupB()
{
    SetDlgItemText(IDC_B_STATUS, m_workbench.SetupBStatus());
    ShowFigures();
}

void CGearCalcDlg::OnHoldB()
{
    m_workbench.SetSetupB(m_settings, "held");
    ShowSetupB();
}

void CGearCalcDlg::OnLoadB()
{
    const std::optional<std::string> path = platform::GetOpenFileName(m_hWnd, SettingsFileOptions(kSettingsFilter));
    if (!path)
        return;
    const std::optional<SettingsFileLines> file = ReadSettingsFileOrTell(*path);
    if (!file)
        return;
    const SettingsValues values = JudgeSettingsLines(file->lines);
    if (!values.problems.empty()) {
        const SettingsProblem& first = values.problems.front();
        platform::MessageBox(
            m_hWnd, "Line " + std::to_string(first.nLine) + ": " + first.strPrompt + " Setup B was not loaded.",
            "ERROR", MB_OK);
        return;
    }
    m_workbench.SetSetupB(values.settings, path->substr(path->find_last_of('/') + 1));
    ShowSetupB();
}

void CGearCalcDlg::OnClearB()
{
    m_workbench.ClearSetupB();
    ShowSetupB();
}

void CGearCalcDlg::OnPrint()
{
    PrintGearReport(this, CurrentReport());
}

void CGearCalcDlg::OnExport()
{
    ExportGearReport(this, CurrentReport());
}

void CGearCalcDlg::OnPerformance()
{
    ShowPerformance({});
}

void CGearCalcDlg::ShowPerformance(const std::string& strVehicleFile)
{
    // The record as the last pass left it, at the moment the user asks.
    ShowPerformanceWindow(
        m_hWnd, [this](const Vehicle& vehicle) { return FillFromCalculator(vehicle, m_settings); }, strVehicleFile);
}

void CGearCalcDlg::OnTires()
{
    ShowTireWindow(m_hWnd, CurrentReport(), ShippedAxles(), [this](double ratio) {
        // A write like any other: the field's change recalculates, and the window follows.
        SetDlgItemText(IDC_REAR_END, FormatRatioFieldText(ratio));
    });
}

#include "ui/gearcalcdlg.h"

#include <algorithm>
#include <array>

#include "calc/roadspeed.h"
#include "calc/shiftchart.h"
#include "numtext/numtext.h"
#include "platform/tires/tirewindow.h"
#include "settingsfile/settingsfile.h"
#include "settingsfile/vehiclefile.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/messagetable.h"
#include "ui/infodialogs.h"
#include "ui/resource.h"
#include "ui/shiftchartplot.h"
#include "ui/tiresizedlg.h"

namespace {

constexpr auto kMessageTable = std::to_array<MessageEntry<CGearCalcDlg>>({
    {IDC_GEAR1, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_RPM, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_REAR_END, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_TIRE_OD, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_GEAR2, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_GEAR3, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_GEAR4, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_GEAR5, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_GEAR6, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_REVERSE, EN_CHANGE, &CGearCalcDlg::OnChangeInput},
    {IDC_SAMPLE, BN_CLICKED, &CGearCalcDlg::OnSampleSettings},
    {IDC_CLEAR, BN_CLICKED, &CGearCalcDlg::OnClearSettings},
    {IDC_HUH, BN_CLICKED, &CGearCalcDlg::OnHuh},
    {IDC_GAS, BN_CLICKED, &CGearCalcDlg::OnGas},
    {IDC_BRAKE, BN_CLICKED, &CGearCalcDlg::OnBrake},
    {IDC_LOAD, BN_CLICKED, &CGearCalcDlg::OnLoad},
    {IDC_SAVE, BN_CLICKED, &CGearCalcDlg::OnSave},
    {IDC_CALC_DIAMETER, BN_CLICKED, &CGearCalcDlg::OnCalcDiameter},
    {ID_LOAD_STARTUP_FILE, 0, &CGearCalcDlg::OnLoadStartupFile},
    {IDC_WORKBENCH, BN_CLICKED, &CGearCalcDlg::OnWorkbench},
    {IDC_CRUISE_SPEED, EN_CHANGE, &CGearCalcDlg::OnChangeCruiseSpeed},
    {IDC_TIRE_SIZE, EN_CHANGE, &CGearCalcDlg::OnChangeTireSize},
    {IDC_REVS_PER_MILE, EN_CHANGE, &CGearCalcDlg::OnChangeRevsPerMile},
    {IDC_USE_TIRE_SIZE, BN_CLICKED, &CGearCalcDlg::OnUseTireSize},
    {IDC_USE_REVS, BN_CLICKED, &CGearCalcDlg::OnUseRevsPerMile},
    {IDC_HOLD_B, BN_CLICKED, &CGearCalcDlg::OnHoldB},
    {IDC_LOAD_B, BN_CLICKED, &CGearCalcDlg::OnLoadB},
    {IDC_CLEAR_B, BN_CLICKED, &CGearCalcDlg::OnClearB},
    {IDC_PRINT, BN_CLICKED, &CGearCalcDlg::OnPrint},
    {IDC_EXPORT, BN_CLICKED, &CGearCalcDlg::OnExport},
    {IDC_PERFORMANCE, BN_CLICKED, &CGearCalcDlg::OnPerformance},
    {IDC_TIRES, BN_CLICKED, &CGearCalcDlg::OnTires},
    {IDC_REDLINE, EN_CHANGE, &CGearCalcDlg::OnChangeRedline},
    {IDC_METRIC, BN_CLICKED, &CGearCalcDlg::OnMetric},
    {ID_PRINT, 0, &CGearCalcDlg::OnPrint},
    {ID_EXPORT, 0, &CGearCalcDlg::OnExport},
});

constexpr std::string_view kDefaultSettingsName = "mixo.kvr";

constexpr float kRpmMin = GetGearValueInfo(GearValue::Rpm).fMin;
constexpr float kRpmMax = GetGearValueInfo(GearValue::Rpm).fMax;

} // namespace

CGearCalcDlg::CGearCalcDlg() : CDialog(IDD_GEARCALC_DIALOG) {}

void CGearCalcDlg::ExchangeFields(CFormExchange& fx)
{
    ExchangeControl(fx, IDC_SPEED_REV, m_editSpeedRev);
    ExchangeControl(fx, IDC_SPEED6, m_editSpeed6);
    ExchangeControl(fx, IDC_SPEED5, m_editSpeed5);
    ExchangeControl(fx, IDC_SPEED4, m_editSpeed4);
    ExchangeControl(fx, IDC_SPEED3, m_editSpeed3);
    ExchangeControl(fx, IDC_SPEED2, m_editSpeed2);
    ExchangeControl(fx, IDC_SPEED1, m_editSpeed1);
    for (const GearValueInfo& info : kGearExchangeOrder) {
        float& value = m_settings.*info.pMember;
        ExchangeFloat(fx, GearValueControlId(info.value), value);
        ValidateFloatRange(fx, value, info.fMin, info.fMax);
    }
}

bool CGearCalcDlg::OnDialogInit()
{
    if (!CDialog::OnDialogInit())
        return false;
    platform::SetWindowIcon(m_hWnd, IDR_MAINFRAME);
    m_workbench.SetUnits(platform::GetProfileInt(kMetricKey, 0) == 1 ? Units::Metric : Units::Us);
    platform::CheckButton(GetDlgItem(IDC_METRIC), m_workbench.GetUnits() == Units::Metric);
    SetDlgItemText(IDC_B_STATUS, m_workbench.SetupBStatus());
    Recalculate();
    // Prompts and messages of the load belong over the calculator, not before it.
    if (!m_strStartupFile.empty())
        platform::PostCommand(m_hWnd, ID_LOAD_STARTUP_FILE, 0);
    return true;
}

void CGearCalcDlg::Recalculate()
{
    // The table follows the record whatever the pass made of the fields, out-of-range values included.
    ExchangeData(true);
    const SpeedTable speedTexts = BuildSpeedTable(m_settings);
    // A display whose text stays is not redrawn; nothing listens to a display's changes.
    for (std::size_t i = 0; i < speedTexts.size(); ++i)
        SetTextIfChanged(SpeedDisplays()[i]->m_hWnd, speedTexts[i]);
    ShowFigures();
}

void CGearCalcDlg::ShowFigures()
{
    const std::optional<GearSettings>& setupB = m_workbench.SetupB();
    platform::SetPlotData(GetDlgItem(IDC_SHIFT_CHART),
                          MakeShiftChartPlot(ComputeShiftChart(m_settings, setupB ? &*setupB : nullptr),
                                             m_workbench.SetupBChart(), m_workbench.Cruise()));
    if (m_bWorkbench)
        UpdateWorkbench();
    if (HasTireWindow(m_hWnd))
        UpdateTireWindow(m_hWnd, CurrentReport());
}

std::array<CEdit*, 7> CGearCalcDlg::SpeedDisplays()
{
    return {&m_editSpeed1, &m_editSpeed2, &m_editSpeed3, &m_editSpeed4, &m_editSpeed5, &m_editSpeed6, &m_editSpeedRev};
}

SpeedTable CGearCalcDlg::DisplayedSpeeds()
{
    SpeedTable speedTexts;
    for (std::size_t i = 0; i < speedTexts.size(); ++i)
        speedTexts[i] = SpeedDisplays()[i]->GetWindowText();
    return speedTexts;
}

void CGearCalcDlg::OnChangeInput()
{
    Recalculate();
}

void CGearCalcDlg::WritePreset(const auto& preset)
{
    for (const PresetStep& step : preset)
        SetDlgItemText(GearValueControlId(step.field), step.text);
    Recalculate();
}

void CGearCalcDlg::OnSampleSettings()
{
    WritePreset(kSampleSettings);
}

void CGearCalcDlg::OnClearSettings()
{
    WritePreset(kClearedSettings);
}

void CGearCalcDlg::StepRpm(double step)
{
    // The field's text, not the record: Gas on letters starts from 0.
    double rpm = CrtAtof(GetDlgItemText(IDC_RPM)) + step;
    // Each button clamps only at its own end of the range.
    if (step > 0 && rpm > double{kRpmMax})
        rpm = double{kRpmMax};
    if (step < 0 && rpm < double{kRpmMin})
        rpm = double{kRpmMin};
    SetDlgItemText(IDC_RPM, CrtFormat("%-5.0f", {rpm}));
    Recalculate();
}

void CGearCalcDlg::OnGas()
{
    StepRpm(kRpmStep);
}

void CGearCalcDlg::OnBrake()
{
    StepRpm(-kRpmStep);
}

void CGearCalcDlg::OnHuh()
{
    RunExplainDialog();
}

void CGearCalcDlg::OnCalcDiameter()
{
    CTireSizeDlg tireSize(&m_settings.m_fTireOD);
    // Cancel leaves the tire field as the user typed it.
    if (tireSize.RunModal() != IDOK)
        return;
    SetDlgItemText(IDC_TIRE_OD, CrtFormat("%-5.1f", {double{m_settings.m_fTireOD}}));
    Recalculate();
}

void CGearCalcDlg::OnSave()
{
    const std::optional<std::string> path =
        platform::GetSaveFileName(m_hWnd, SettingsFileOptions(kDefaultSettingsName));
    if (!path)
        return;
    // The report shows the speeds exactly as the displays do.
    if (!SaveSettingsFile(*path, m_settings, DisplayedSpeeds())) {
        platform::MessageBox(m_hWnd, "Error saving file.", "ERROR", MB_OK);
        return;
    }
    platform::MessageBox(m_hWnd, "File Saved.  You may print the file, or examine in a word processor.",
                         "SAVE SUCCESSFUL", MB_OK);
}

void CGearCalcDlg::OnLoad()
{
    const std::optional<std::string> path = platform::GetOpenFileName(m_hWnd, SettingsFileOptions(kSettingsFilter));
    if (path)
        LoadSettingsFrom(*path);
}

void CGearCalcDlg::OnLoadStartupFile()
{
    if (m_strStartupFile.ends_with(kVehicleFileExtension))
        ShowPerformance(m_strStartupFile);
    else
        LoadSettingsFrom(m_strStartupFile);
}

std::optional<SettingsFileLines> CGearCalcDlg::ReadSettingsFileOrTell(const std::string& strPath)
{
    SettingsFileLines file = ReadSettingsFile(strPath);
    if (file.status == SettingsReadStatus::Read)
        return file;
    platform::MessageBox(m_hWnd, SettingsReadMessage(file.status), "ERROR", MB_OK);
    return std::nullopt;
}

void CGearCalcDlg::LoadSettingsFrom(const std::string& strPath)
{
    const std::optional<SettingsFileLines> file = ReadSettingsFileOrTell(strPath);
    if (!file)
        return;
    // Each line goes into its field as it stands; the field's change handling judges it, prompts and all.
    for (std::size_t i = 0; i < kSettingsFileOrder.size(); ++i)
        SetDlgItemText(GearValueControlId(kSettingsFileOrder[i]), file->lines[i]);
    Recalculate();
}

FileDialogOptions CGearCalcDlg::SettingsFileOptions(std::string_view fileName)
{
    return {std::string(fileName), std::string(kSettingsFilter), "kvr"};
}

bool CGearCalcDlg::OnCommand(int nId, int nCode)
{
    return DispatchMessageTable<CGearCalcDlg>(this, kMessageTable, nId, nCode) || CDialog::OnCommand(nId, nCode);
}

#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/gearreport.h"
#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "calc/workbench.h"
#include "report/settingsreport.h"
#include "settingsfile/settingsfile.h"
#include "ui/exchange/dialog.h"
#include "ui/resource.h"

// The calculator: ten input fields bound to the one GearSettings record, seven read-only speed displays.
// Every change of an input field runs Recalculate: a validating pass (which may prompt, and leaves an
// out-of-range value in the record) and then the speed table from whatever the record holds. The buttons
// only write texts into fields; each write is a change like a keystroke.
//
// The Workbench button widens the window to a panel of further figures, live from the same record: km/h, the RPM
// at a cruise speed, tire sizes in any notation, calibration, a second setup (B) to compare with, and the RPM
// drop at each upshift, the speed at a redline. Its fields are judged in the panel itself, never with a prompt; of
// them it keeps only the choice of metric units between runs.
class CGearCalcDlg : public CDialog
{
public:
    CGearCalcDlg();

    const GearSettings& GetSettings() const { return m_settings; }
    // Loads a settings file as Load does, once the calculator is on the screen; a vehicle file (.rgvehicle) opens in
    // the Performance window beside it instead.
    void LoadWhenShown(std::string strPath) { m_strStartupFile = std::move(strPath); }

    void ExchangeFields(CFormExchange& fx) override;
    bool OnDialogInit() override;

    void Recalculate();

    void OnChangeInput();
    void OnSampleSettings();
    void OnClearSettings();
    void OnGas();
    void OnBrake();
    void OnHuh();
    void OnSave();
    void OnLoad();
    void OnCalcDiameter();
    void OnLoadStartupFile();

    // The workbench (gearcalcworkbench.cpp).
    void OnWorkbench();
    void OnChangeCruiseSpeed();
    void OnChangeTireSize();
    void OnChangeRevsPerMile();
    void OnUseTireSize();
    void OnUseRevsPerMile();
    void OnHoldB();
    void OnLoadB();
    void OnClearB();
    // Print and Export (Ctrl+P, Ctrl+E): the report of the record, the workbench's figures and the fields' texts.
    void OnPrint();
    void OnExport();
    // The Performance window beside the calculator, From calculator taking this record.
    void OnPerformance();
    // The Tires window beside the calculator, following the record as it changes.
    void OnTires();
    void OnChangeRedline();
    // Metric units for the workbench, the Tires window and the reports, kept for the next run.
    void OnMetric();
    // The figures the panel shows, for the record as the last pass left it.
    GearReport CurrentReport() const;

protected:
    bool OnCommand(int nId, int nCode) override;

private:
    // The Performance window, filled from the calculator, then given the vehicle file when there is one.
    void ShowPerformance(const std::string& strVehicleFile);
    void WritePreset(const auto& preset);
    void StepRpm(double step);
    // The seven displays in the order of the speed table.
    std::array<CEdit*, 7> SpeedDisplays();
    SpeedTable DisplayedSpeeds();
    void LoadSettingsFrom(const std::string& strPath);
    // The file's ten lines, or nothing after telling in a box why it could not be read.
    std::optional<SettingsFileLines> ReadSettingsFileOrTell(const std::string& strPath);
    // The file dialogs of Save, Load and Load B, starting with this name.
    static FileDialogOptions SettingsFileOptions(std::string_view fileName);
    // The chart and the workbench from the record as it stands, without a pass.
    void ShowFigures();
    void UpdateWorkbench();
    void ShowWorkbenchProblems();
    void ShowSetupB();

    CEdit m_editSpeedRev;
    CEdit m_editSpeed6;
    CEdit m_editSpeed5;
    CEdit m_editSpeed4;
    CEdit m_editSpeed3;
    CEdit m_editSpeed2;
    CEdit m_editSpeed1;
    GearSettings m_settings;
    std::string m_strStartupFile;
    bool m_bWorkbench = false;
    CWorkbench m_workbench;
};

inline constexpr std::string_view kSettingsFilter = "*.kvr";
// Where the choice of metric units is kept between runs.
inline constexpr std::string_view kMetricKey = "workbench/metric";

// The calculator's input field for each value, indexed by GearValue.
inline constexpr std::array<int, 10> kGearValueControlIds{
    IDC_RPM, IDC_GEAR1, IDC_REAR_END, IDC_TIRE_OD, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4, IDC_GEAR5, IDC_GEAR6, IDC_REVERSE,
};

constexpr int GearValueControlId(GearValue value)
{
    return kGearValueControlIds[static_cast<std::size_t>(value)];
}

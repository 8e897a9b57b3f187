#pragma once

#include <array>
#include <string>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "ui/exchange/dialog.h"
#include "ui/resource.h"

// The calculator: ten input fields bound to the one GearSettings record, seven read-only speed displays.
// Every change of an input field runs Recalculate: a validating pass (which may prompt, and leaves an
// out-of-range value in the record) and then the speed table from whatever the record holds. The buttons
// only write texts into fields; each write is a change like a keystroke.
class CGearCalcDlg : public CDialog
{
public:
    CGearCalcDlg();

    const GearSettings& GetSettings() const { return m_settings; }
    // Loads a settings file as Load does, once the calculator is on the screen.
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

protected:
    bool OnCommand(int nId, int nCode) override;

private:
    void WritePreset(const auto& preset);
    void StepRpm(double step);
    // The seven displays in the order of the speed table.
    std::array<CEdit*, 7> SpeedDisplays();
    SpeedTable DisplayedSpeeds();
    void LoadSettingsFrom(const std::string& strPath);

    CEdit m_editSpeedRev;
    CEdit m_editSpeed6;
    CEdit m_editSpeed5;
    CEdit m_editSpeed4;
    CEdit m_editSpeed3;
    CEdit m_editSpeed2;
    CEdit m_editSpeed1;
    GearSettings m_settings;
    std::string m_strStartupFile;
};

// The calculator's input field for each value, indexed by GearValue.
inline constexpr std::array<int, 10> kGearValueControlIds{
    IDC_RPM, IDC_GEAR1, IDC_REAR_END, IDC_TIRE_OD, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4, IDC_GEAR5, IDC_GEAR6, IDC_REVERSE,
};

constexpr int GearValueControlId(GearValue value)
{
    return kGearValueControlIds[static_cast<std::size_t>(value)];
}

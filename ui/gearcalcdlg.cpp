#include "ui/gearcalcdlg.h"

#include <algorithm>
#include <array>

#include "calc/roadspeed.h"
#include "numtext/numtext.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/messagetable.h"
#include "ui/infodialogs.h"
#include "ui/resource.h"

namespace {

constexpr std::array<MessageEntry<CGearCalcDlg>, 15> kMessageTable{{
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
}};

constexpr float kRpmMin = kGearExchangeOrder[0].fMin;
constexpr float kRpmMax = kGearExchangeOrder[0].fMax;

} // namespace

int GearValueControlId(GearValue value)
{
    switch (value) {
    case GearValue::Rpm:
        return IDC_RPM;
    case GearValue::Gear1:
        return IDC_GEAR1;
    case GearValue::RearEnd:
        return IDC_REAR_END;
    case GearValue::TireOD:
        return IDC_TIRE_OD;
    case GearValue::Gear2:
        return IDC_GEAR2;
    case GearValue::Gear3:
        return IDC_GEAR3;
    case GearValue::Gear4:
        return IDC_GEAR4;
    case GearValue::Gear5:
        return IDC_GEAR5;
    case GearValue::Gear6:
        return IDC_GEAR6;
    case GearValue::Reverse:
        return IDC_REVERSE;
    }
    return 0;
}

CGearCalcDlg::CGearCalcDlg() : CDialog(IDD_GEARCALC_DIALOG), m_nIconId(IDR_MAINFRAME) {}

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
    SetWindowIcon(m_hWnd, m_nIconId);
    Recalculate();
    return true;
}

void CGearCalcDlg::Recalculate()
{
    // The table follows the record whatever the pass made of the fields, out-of-range values included.
    ExchangeData(true);
    const SpeedTable speedTexts = BuildSpeedTable(m_settings);
    CEdit* const displays[] = {&m_editSpeed1, &m_editSpeed2, &m_editSpeed3,  &m_editSpeed4,
                               &m_editSpeed5, &m_editSpeed6, &m_editSpeedRev};
    for (std::size_t i = 0; i < speedTexts.size(); ++i)
        displays[i]->SetWindowText(speedTexts[i]);
}

void CGearCalcDlg::OnChangeInput()
{
    Recalculate();
}

void CGearCalcDlg::WritePreset(const auto& preset)
{
    for (const PresetStep& step : preset)
        ::SetWindowText(GetDlgItem(GearValueControlId(step.field)), step.text);
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
    HWND hRpm = GetDlgItem(IDC_RPM);
    double rpm = CrtAtof(::GetWindowText(hRpm)) + step;
    // Each button clamps only at its own end of the range.
    if (step > 0 && rpm > double{kRpmMax})
        rpm = double{kRpmMax};
    if (step < 0 && rpm < double{kRpmMin})
        rpm = double{kRpmMin};
    ::SetWindowText(hRpm, CrtFormat("%-5.0f", {rpm}));
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

bool CGearCalcDlg::OnCommand(int nId, int nCode)
{
    return DispatchMessageTable<CGearCalcDlg>(this, kMessageTable, nId, nCode) || CDialog::OnCommand(nId, nCode);
}

#include "ui/tiresizedlg.h"

#include <array>

#include "calc/tirediameter.h"
#include "numtext/numtext.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/messagetable.h"
#include "ui/resource.h"

namespace {

constexpr auto kMessageTable = std::to_array<MessageEntry<CTireSizeDlg>>({
    {IDC_TIRE_WIDTH, EN_CHANGE, &CTireSizeDlg::OnChangeTireInput},
    {IDC_TIRE_ASPECT, EN_CHANGE, &CTireSizeDlg::OnChangeTireInput},
    {IDC_TIRE_RIM, EN_CHANGE, &CTireSizeDlg::OnChangeTireInput},
    {IDC_SAMPLE_TIRE, BN_CLICKED, &CTireSizeDlg::OnSampleTire},
});

// The display is read into a 20-character buffer, as the calculator always has: what reaches the tire field
// never depends on a longer text.
constexpr std::size_t kResultChars = 19;

} // namespace

CTireSizeDlg::CTireSizeDlg(float* pDiameter) : CDialog(IDD_TIRE_DIAMETER), m_pDiameter(pDiameter) {}

void CTireSizeDlg::ExchangeFields(CFormExchange& fx)
{
    ExchangeControl(fx, IDC_TIRE_RESULT, m_editResult);
    ExchangeInt(fx, IDC_TIRE_WIDTH, m_nWidth);
    ValidateIntRange(fx, m_nWidth, TireSizeRanges::kWidthMin, TireSizeRanges::kWidthMax);
    ExchangeInt(fx, IDC_TIRE_ASPECT, m_nAspect);
    ValidateIntRange(fx, m_nAspect, TireSizeRanges::kAspectMin, TireSizeRanges::kAspectMax);
    ExchangeFloat(fx, IDC_TIRE_RIM, m_fRim);
    ValidateFloatRange(fx, m_fRim, TireSizeRanges::kRimMin, TireSizeRanges::kRimMax);
}

bool CTireSizeDlg::OnDialogInit()
{
    if (!CDialog::OnDialogInit())
        return false;
    RecalcDiameter();
    return true;
}

void CTireSizeDlg::RecalcDiameter()
{
    ExchangeData(true);
    m_editResult.SetWindowText(ComputeTireDiameter(m_nWidth, m_nAspect, m_fRim).strText);
}

void CTireSizeDlg::OnChangeTireInput()
{
    RecalcDiameter();
}

void CTireSizeDlg::OnSampleTire()
{
    SetDlgItemText(IDC_TIRE_WIDTH, kSampleTireWidth);
    SetDlgItemText(IDC_TIRE_ASPECT, kSampleTireAspect);
    SetDlgItemText(IDC_TIRE_RIM, kSampleTireRim);
    RecalcDiameter();
}

void CTireSizeDlg::OnOkCommand()
{
    // What the user reads is what the calculator gets: the displayed text, so 27.40 arrives as 27.4.
    const float fDiameter = NarrowToFloat(CrtAtof(platform::GetWindowText(m_editResult.m_hWnd, kResultChars)));
    // Only a confirmed, valid size reaches the caller; Cancel after a failed OK must change nothing.
    if (!ExchangeData(true))
        return;
    *m_pDiameter = fDiameter;
    EndModal(IDOK);
}

bool CTireSizeDlg::OnCommand(int nId, int nCode)
{
    return DispatchMessageTable<CTireSizeDlg>(this, kMessageTable, nId, nCode) || CDialog::OnCommand(nId, nCode);
}

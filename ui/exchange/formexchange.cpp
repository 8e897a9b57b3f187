#include "ui/exchange/formexchange.h"

#include <string>

#include "numtext/numtext.h"
#include "ui/exchange/exceptions.h"
#include "ui/exchange/prompts.h"
#include "ui/exchange/wnd.h"

namespace {

// A field is judged on what the original's 32-character buffer held.
constexpr std::size_t kFieldChars = 31;
// SetTextIfChanged compares in a 256-character buffer.
constexpr std::size_t kCompareChars = 256;

} // namespace

HWND CFormExchange::PrepareControl(int nId)
{
    HWND hControl = m_pDialog->GetDlgItem(nId);
    if (hControl == nullptr)
        throw CNotSupportedException();
    m_hLastControl = hControl;
    m_bLastIsEdit = false;
    return hControl;
}

HWND CFormExchange::PrepareEdit(int nId)
{
    HWND hControl = PrepareControl(nId);
    m_bLastIsEdit = true;
    return hControl;
}

void CFormExchange::FailField()
{
    if (m_bSave && m_hLastControl != nullptr) {
        platform::SetFocus(m_hLastControl);
        if (m_bLastIsEdit)
            platform::SelectAllText(m_hLastControl);
    }
    throw CUserException();
}

void ExchangeControl(CFormExchange& fx, int nId, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
        fx.m_pDialog->BindControl(rControl, fx.PrepareControl(nId));
}

void ExchangeFloat(CFormExchange& fx, int nId, float& value)
{
    HWND hControl = fx.PrepareEdit(nId);
    if (fx.m_bSave) {
        const std::optional<double> parsed = ParseFloatText(platform::GetWindowText(hControl, kFieldChars));
        if (!parsed) {
            ShowPromptId(IDP_ENTER_NUMBER);
            fx.FailField();
        }
        value = NarrowToFloat(*parsed);
    } else {
        SetTextIfChanged(hControl, CrtFormat("%.*g", {6, double{value}}));
    }
}

void ExchangeInt(CFormExchange& fx, int nId, int& value)
{
    HWND hControl = fx.PrepareEdit(nId);
    if (fx.m_bSave) {
        const std::optional<int> parsed = ParseIntText(platform::GetWindowText(hControl, kFieldChars));
        if (!parsed) {
            ShowPromptId(IDP_ENTER_INTEGER);
            fx.FailField();
        }
        value = *parsed;
    } else {
        SetTextIfChanged(hControl, CrtFormat("%d", {value}));
    }
}

void ValidateFloatRange(CFormExchange& fx, float& value, float fMin, float fMax)
{
    if (value >= fMin && value <= fMax)
        return;
    if (!fx.m_bSave)
        return;
    std::string strPrompt;
    FormatPrompt2(strPrompt, IDP_NUMBER_RANGE, CrtFormat("%.*g", {6, double{fMin}}),
                  CrtFormat("%.*g", {6, double{fMax}}));
    ShowPrompt(strPrompt, MB_ICONEXCLAMATION, IDP_NUMBER_RANGE);
    fx.FailField();
}

void ValidateIntRange(CFormExchange& fx, int value, int nMin, int nMax)
{
    if (nMin <= value && value <= nMax)
        return;
    if (!fx.m_bSave)
        return;
    std::string strPrompt;
    FormatPrompt2(strPrompt, IDP_INTEGER_RANGE, CrtFormat("%ld", {long{nMin}}), CrtFormat("%ld", {long{nMax}}));
    ShowPrompt(strPrompt, MB_ICONEXCLAMATION, IDP_INTEGER_RANGE);
    fx.FailField();
}

void SetTextIfChanged(HWND hControl, std::string_view text)
{
    if (text.size() <= kCompareChars && platform::GetWindowText(hControl, kCompareChars - 1) == text)
        return;
    platform::SetWindowText(hControl, text);
}

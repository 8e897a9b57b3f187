#include "ui/exchange/formexchange.h"

#include <string>
#include <type_traits>

#include "numtext/fieldrule.h"
#include "ui/exchange/exceptions.h"
#include "ui/exchange/prompts.h"
#include "ui/exchange/wnd.h"

namespace {

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

template<class TValue>
void ExchangeNumber(CFormExchange& fx, int nId, TValue& value)
{
    HWND hControl = fx.PrepareEdit(nId);
    if (!fx.m_bSave) {
        SetTextIfChanged(hControl, FieldRule<TValue>::Format(value));
        return;
    }
    const std::optional<TValue> parsed = FieldRule<TValue>::Parse(platform::GetWindowText(hControl, kFieldChars));
    if (!parsed) {
        ShowPromptId(std::is_same_v<TValue, float> ? IDP_ENTER_NUMBER : IDP_ENTER_INTEGER);
        fx.FailField();
    }
    value = *parsed;
}

template<class TValue>
void ValidateRange(CFormExchange& fx, TValue value, TValue minimum, TValue maximum)
{
    if (FieldRule<TValue>::IsInRange(value, minimum, maximum) || !fx.m_bSave)
        return;
    ShowPrompt(FieldRule<TValue>::RangePrompt(minimum, maximum), MB_ICONEXCLAMATION);
    fx.FailField();
}

template void ExchangeNumber(CFormExchange&, int, float&);
template void ExchangeNumber(CFormExchange&, int, int&);
template void ValidateRange(CFormExchange&, float, float, float);
template void ValidateRange(CFormExchange&, int, int, int);

void SetTextIfChanged(HWND hControl, std::string_view text)
{
    if (text.size() <= kCompareChars && platform::WindowTextEquals(hControl, text, kCompareChars - 1))
        return;
    platform::SetWindowText(hControl, text);
}

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

namespace {

// What tells a number field from an integer field: the parser, the formats and the prompts.
template<class TValue>
struct FieldRules;

template<>
struct FieldRules<float>
{
    static constexpr int kEnterPrompt = IDP_ENTER_NUMBER;
    static constexpr int kRangePrompt = IDP_NUMBER_RANGE;
    static std::optional<float> Parse(std::string_view text)
    {
        const std::optional<double> value = ParseFloatText(text);
        return value ? std::optional(NarrowToFloat(*value)) : std::nullopt;
    }
    static std::string Format(float value) { return CrtFormat("%.*g", {6, double{value}}); }
    static std::string FormatBound(float value) { return Format(value); }
};

template<>
struct FieldRules<int>
{
    static constexpr int kEnterPrompt = IDP_ENTER_INTEGER;
    static constexpr int kRangePrompt = IDP_INTEGER_RANGE;
    static std::optional<int> Parse(std::string_view text) { return ParseIntText(text); }
    static std::string Format(int value) { return CrtFormat("%d", {value}); }
    static std::string FormatBound(int value) { return CrtFormat("%ld", {long{value}}); }
};

} // namespace

template<class TValue>
void ExchangeNumber(CFormExchange& fx, int nId, TValue& value)
{
    HWND hControl = fx.PrepareEdit(nId);
    if (!fx.m_bSave) {
        SetTextIfChanged(hControl, FieldRules<TValue>::Format(value));
        return;
    }
    const std::optional<TValue> parsed = FieldRules<TValue>::Parse(platform::GetWindowText(hControl, kFieldChars));
    if (!parsed) {
        ShowPromptId(FieldRules<TValue>::kEnterPrompt);
        fx.FailField();
    }
    value = *parsed;
}

namespace {

template<class TValue>
bool InRange(TValue value, TValue minimum, TValue maximum)
{
    // Written so that a NaN fails like any other value outside the range.
    return minimum <= value && value <= maximum;
}

template<class TValue>
std::string RangePrompt(TValue minimum, TValue maximum)
{
    return FormatPrompt2(FieldRules<TValue>::kRangePrompt, FieldRules<TValue>::FormatBound(minimum),
                         FieldRules<TValue>::FormatBound(maximum));
}

} // namespace

template<class TValue>
void ValidateRange(CFormExchange& fx, TValue value, TValue minimum, TValue maximum)
{
    if (InRange(value, minimum, maximum) || !fx.m_bSave)
        return;
    ShowPrompt(RangePrompt(minimum, maximum), MB_ICONEXCLAMATION);
    fx.FailField();
}

template<class TValue>
FieldJudgement<TValue> JudgeFieldText(std::string_view text, TValue minimum, TValue maximum)
{
    const std::optional<TValue> value = FieldRules<TValue>::Parse(text.substr(0, kFieldChars));
    if (!value)
        return {value, std::string(LoadFrameworkString(FieldRules<TValue>::kEnterPrompt).value_or(""))};
    return {value, InRange(*value, minimum, maximum) ? std::string() : RangePrompt(minimum, maximum)};
}

template void ExchangeNumber(CFormExchange&, int, float&);
template void ExchangeNumber(CFormExchange&, int, int&);
template void ValidateRange(CFormExchange&, float, float, float);
template void ValidateRange(CFormExchange&, int, int, int);
template FieldJudgement<float> JudgeFieldText(std::string_view, float, float);
template FieldJudgement<int> JudgeFieldText(std::string_view, int, int);

void SetTextIfChanged(HWND hControl, std::string_view text)
{
    if (text.size() <= kCompareChars && platform::WindowTextEquals(hControl, text, kCompareChars - 1))
        return;
    platform::SetWindowText(hControl, text);
}

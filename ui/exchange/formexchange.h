#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/window.h"

class CWnd;

// The context of one exchange pass.
class CFormExchange
{
public:
    CFormExchange(bool bSave, CWnd* pDialog) : m_bSave(bSave), m_pDialog(pDialog) {}

    bool m_bSave; // true: fields to members, with parsing, range tests and prompts
    CWnd* m_pDialog;
    HWND m_hLastControl = nullptr; // the control prepared most recently; a range failure refers to it
    bool m_bLastIsEdit = false;

    // The dialog's control with this id; throws CNotSupportedException when there is none.
    HWND PrepareControl(int nId);
    HWND PrepareEdit(int nId);
    // After a prompt: focus and select the last field (validating pass only), then stop the pass.
    [[noreturn]] void FailField();
};

// Binds a control object to the dialog's control nId, once; later passes leave the binding alone.
void ExchangeControl(CFormExchange& fx, int nId, CWnd& rControl);

// A number field (float) or an integer field (int). Loading writes the member, "%.*g" with precision 6 or "%d";
// validating judges the text by FieldRule (numtext/fieldrule.h) and stores the value. A rejected text keeps the
// member as it was.
template<class TValue>
void ExchangeNumber(CFormExchange& fx, int nId, TValue& value);
// The inclusive range test of the member just exchanged; it prompts only in a validating pass. The member keeps
// the out-of-range value.
template<class TValue>
void ValidateRange(CFormExchange& fx, TValue value, TValue minimum, TValue maximum);

inline void ExchangeFloat(CFormExchange& fx, int nId, float& value)
{
    ExchangeNumber(fx, nId, value);
}
inline void ExchangeInt(CFormExchange& fx, int nId, int& value)
{
    ExchangeNumber(fx, nId, value);
}
inline void ValidateFloatRange(CFormExchange& fx, float value, float fMin, float fMax)
{
    ValidateRange(fx, value, fMin, fMax);
}
inline void ValidateIntRange(CFormExchange& fx, int value, int nMin, int nMax)
{
    ValidateRange(fx, value, nMin, nMax);
}

// Writes the text unless the control shows it already, so an unchanged field reports no change.
void SetTextIfChanged(HWND hControl, std::string_view text);

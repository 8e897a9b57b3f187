#pragma once

// Small dialogs that exercise the framework without the program's own dialogs.

#include <new>
#include <tuple>

#include "platform/dialogtemplate.h"
#include "ui/exchange/dialog.h"
#include "ui/exchange/exceptions.h"
#include "ui/exchange/formexchange.h"

inline constexpr int IDD_FIELDS = 9001;
inline constexpr int IDD_OK_ONLY = 9002;
inline constexpr int IDD_MISSING = 9999;
inline constexpr int IDC_A = 100;
inline constexpr int IDC_B = 101;
inline constexpr int IDC_C = 102;
inline constexpr int IDC_D = 103;
inline constexpr int IDC_OTHER = 104;

inline constexpr ControlTemplate kFieldsControls[] = {
    {-1, ControlKind::Label, "A", 5, 7, 20, 8},
    {IDC_A, ControlKind::Edit, "", 30, 5, 50, 14, CS_TABSTOP},
    {IDC_B, ControlKind::Edit, "", 30, 21, 50, 14, CS_TABSTOP},
    {-1, ControlKind::Label, "C", 5, 39, 20, 8},
    {IDC_C, ControlKind::Edit, "", 30, 37, 50, 14, CS_TABSTOP},
    {IDC_D, ControlKind::Edit, "", 30, 53, 50, 14, CS_TABSTOP},
    {IDOK, ControlKind::PushButton, "OK", 5, 75, 40, 14, CS_TABSTOP | CS_DEFAULT},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 50, 75, 40, 14, CS_TABSTOP},
    {IDC_OTHER, ControlKind::PushButton, "Other", 95, 75, 40, 14, CS_TABSTOP},
};
inline constexpr DialogTemplate kFieldsTemplate{IDD_FIELDS, "Fields", 140, 95, DS_CAPTION, kFieldsControls};

inline constexpr ControlTemplate kOkOnlyControls[] = {
    {IDOK, ControlKind::PushButton, "OK", 20, 30, 50, 14, CS_TABSTOP | CS_DEFAULT},
    {-1, ControlKind::Label, "Nothing to cancel.", 5, 5, 80, 10},
};
inline constexpr DialogTemplate kOkOnlyTemplate{IDD_OK_ONLY, "", 90, 50, DS_THINBORDER, kOkOnlyControls};

inline void RegisterTestTemplates()
{
    AddDialogTemplate(kFieldsTemplate);
    AddDialogTemplate(kOkOnlyTemplate);
}

// Pass steps that fail as only the framework can: a control the dialog does not have, no memory left, and an
// exception of no known kind.
inline void ExchangeMissingControl(CFormExchange& fx)
{
    float fUnused = 0;
    ExchangeFloat(fx, 999, fUnused);
}
inline void ThrowOutOfMemory(CFormExchange&)
{
    throw std::bad_alloc();
}
inline void ThrowUnknown(CFormExchange&)
{
    throw CException();
}

// Three number fields (A and C in 0..50, B in 0..15000) and an integer field D in 0..300, exchanged in that order.
class CFieldsDlg : public CDialog
{
public:
    using Values = std::tuple<float, float, float, int>;

    explicit CFieldsDlg(int nTemplateId = IDD_FIELDS) : CDialog(nTemplateId) { RegisterTestTemplates(); }

    float m_fA = 0, m_fB = 0, m_fC = 0;
    int m_nD = 0;
    int m_nChanges = 0;
    int m_nOtherClicks = 0;
    // Runs in every pass between A and B: where a test makes the pass fail.
    void (*m_pAfterA)(CFormExchange& fx) = nullptr;

    void Set(const Values& values) { std::tie(m_fA, m_fB, m_fC, m_nD) = values; }
    Values Get() const { return {m_fA, m_fB, m_fC, m_nD}; }

    void ExchangeFields(CFormExchange& fx) override
    {
        ExchangeFloat(fx, IDC_A, m_fA);
        ValidateFloatRange(fx, m_fA, 0.0F, 50.0F);
        if (m_pAfterA != nullptr)
            m_pAfterA(fx);
        ExchangeFloat(fx, IDC_B, m_fB);
        ValidateFloatRange(fx, m_fB, 0.0F, 15000.0F);
        ExchangeFloat(fx, IDC_C, m_fC);
        ValidateFloatRange(fx, m_fC, 0.0F, 50.0F);
        ExchangeInt(fx, IDC_D, m_nD);
        ValidateIntRange(fx, m_nD, 0, 300);
    }

protected:
    bool OnCommand(int nId, int nCode) override
    {
        if (nCode == EN_CHANGE)
            ++m_nChanges;
        else if (nId == IDC_OTHER && nCode == BN_CLICKED)
            ++m_nOtherClicks;
        else
            return CDialog::OnCommand(nId, nCode);
        return true;
    }
};

#pragma once

// The dialog framework. Every dialog keeps its values in plain members and lists them, each with its edit
// control, in one ExchangeFields routine. A loading pass (ExchangeData(false)) writes the members into their
// fields; a validating pass (ExchangeData(true)) reads, parses and range-tests the fields in that order and
// stops at the first bad one with a prompt, leaving the members after it untouched. While a pass runs, the
// dialog ignores notifications from its own controls, so the texts a pass writes never start another pass.
// Commands reach a dialog's handlers through its static message table.
//
// The framework stands on platform/ for windows, texts, focus and boxes, and on numtext/ for number texts.

#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

class CFormExchange;

class CWnd : public CWindowSink
{
public:
    CWnd() = default;
    ~CWnd() override = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Runs one exchange pass over ExchangeFields; false when a field failed (the user has been told).
    bool ExchangeData(bool bSave);
    virtual void ExchangeFields(CFormExchange& fx);

    std::string GetWindowText() const;
    void SetWindowText(std::string_view text);
    void SetFocus();
    HWND GetDlgItem(int nId) const;
    // The text of the child control nId, and a write to it (which, for an edit, reports a change).
    std::string GetDlgItemText(int nId) const;
    void SetDlgItemText(int nId, std::string_view text);

    // Binds a control object of this window to its control, until UnbindControls.
    void BindControl(CWnd& rControl, HWND hControl);

    void OnWindowCommand(int nId, int nCode, HWND hControl) final;

protected:
    // The message table; true when an entry took the command.
    virtual bool OnCommand(int nId, int nCode);
    // Forgets the controls of a window that is about to go.
    void UnbindControls();

private:
    std::vector<CWnd*> m_boundControls;
};

class CEdit : public CWnd
{};

// The window whose control notifications are being ignored, on this thread; null while no pass runs.
HWND GetLockoutWindow();

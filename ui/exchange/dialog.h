#pragma once

#include "ui/exchange/wnd.h"

// A modal dialog built from a dialog template. RunModal creates the window, runs OnDialogInit (a loading pass),
// shows the dialog centred over its owner and runs it until EndModal. Command 1 (the OK button, Enter)
// validates and then ends with 1; command 2 (Cancel, Escape, the close box) ends with 2 without reading any
// field; -1 stands for a failure.
class CDialog : public CWnd
{
public:
    explicit CDialog(int nTemplateId, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    int RunModal();
    // A dialog's override calls this first; false ends the run with -1.
    virtual bool OnDialogInit();
    virtual void OnOkCommand();
    virtual void OnCancelCommand();
    void EndModal(int nResult);

    int GetTemplateId() const { return m_nTemplateId; }

protected:
    bool OnCommand(int nId, int nCode) override;

private:
    HWND FindOwner() const;
    void DestroyDialogWindow();

    int m_nTemplateId;
    CWnd* m_pParentWnd;
    int m_nResult = -1;
    bool m_bInLoop = false;
    bool m_bContinue = false;
};

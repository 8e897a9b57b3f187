#include "app/gearcalcapp.h"

#include "ui/gearcalcdlg.h"
#include "ui/infodialogs.h"

bool CGearCalcApp::InitInstance()
{
    // However the notice is closed, the calculator follows.
    RunNoticeDialog();

    CGearCalcDlg calculator;
    if (m_settingsFile)
        calculator.LoadWhenShown(*m_settingsFile);
    m_pMainWnd = &calculator;
    calculator.RunModal();
    m_pMainWnd = nullptr;
    return false;
}

#include "tests/ui/calculator.h"

#include "ui/exchange/winapp.h"

int CalculatorTest::RunCalculator(const std::function<void(CGearCalcDlg& dialog, HWND hDlg)>& driver)
{
    CGearCalcDlg dialog;
    GetApp()->m_pMainWnd = &dialog;
    const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
        driver(dialog, hDlg);
        if (platform::IsInModalLoop(hDlg))
            dialog.EndModal(IDCANCEL);
    });
    GetApp()->m_pMainWnd = nullptr;
    return nResult;
}

SpeedTable CalculatorTest::Speeds(HWND hDlg)
{
    return {Text(hDlg, IDC_SPEED1), Text(hDlg, IDC_SPEED2), Text(hDlg, IDC_SPEED3),   Text(hDlg, IDC_SPEED4),
            Text(hDlg, IDC_SPEED5), Text(hDlg, IDC_SPEED6), Text(hDlg, IDC_SPEED_REV)};
}

Texts CalculatorTest::Column(HWND hDlg, int nFirstId, int nCount)
{
    Texts texts;
    for (int nId = nFirstId; nId < nFirstId + nCount; ++nId)
        texts.push_back(Text(hDlg, nId));
    return texts;
}

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

std::array<std::string, 7> CalculatorTest::Speeds(HWND hDlg)
{
    return {Text(hDlg, IDC_SPEED1), Text(hDlg, IDC_SPEED2), Text(hDlg, IDC_SPEED3),   Text(hDlg, IDC_SPEED4),
            Text(hDlg, IDC_SPEED5), Text(hDlg, IDC_SPEED6), Text(hDlg, IDC_SPEED_REV)};
}

std::vector<std::string> CalculatorTest::Prompts()
{
    std::vector<std::string> texts;
    for (const CBoxRecord& record : m_seam.Records()) {
        if (record.kind == CBoxRecord::Kind::Message && record.strCaption == GetApp()->m_strAppName)
            texts.push_back(record.strText);
    }
    m_seam.ClearRecords();
    return texts;
}

#pragma once

// Runs the calculator as a user meets it, as the program's main window.

#include <functional>
#include <string>
#include <vector>

#include "calc/roadspeed.h"
#include "tests/support/uitest.h"
#include "ui/exchange/winapp.h"
#include "ui/gearcalcdlg.h"
#include "ui/resource.h"
#include "ui/templates.h"

using Texts = std::vector<std::string>;

class CalculatorTest : public UiTest
{
protected:
    void SetUp() override
    {
        RegisterProgramResources();
        // A desktop's screen rather than the headless platform's small one, so the workbench has room.
        platform::SetScreenForTesting(platform::TestScreen{QSize(1920, 1080)});
    }
    void TearDown() override
    {
        platform::SetScreenForTesting(std::nullopt);
        UiTest::TearDown();
    }

    // The driver gets the calculator once it is shown; whatever it leaves open is closed with Cancel.
    int RunCalculator(const std::function<void(CGearCalcDlg& dialog, HWND hDlg)>& driver)
    {
        CGearCalcDlg dialog;
        return RunCalculator(dialog, driver);
    }
    int RunCalculator(CGearCalcDlg& dialog, const std::function<void(CGearCalcDlg& dialog, HWND hDlg)>& driver)
    {
        GetApp()->m_pMainWnd = &dialog;
        const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
            driver(dialog, hDlg);
            if (platform::IsInModalLoop(hDlg))
                dialog.EndModal(IDCANCEL);
        });
        GetApp()->m_pMainWnd = nullptr;
        return nResult;
    }

    static SpeedTable Speeds(HWND hDlg)
    {
        return {Text(hDlg, IDC_SPEED1), Text(hDlg, IDC_SPEED2), Text(hDlg, IDC_SPEED3),   Text(hDlg, IDC_SPEED4),
                Text(hDlg, IDC_SPEED5), Text(hDlg, IDC_SPEED6), Text(hDlg, IDC_SPEED_REV)};
    }
    static Texts Column(HWND hDlg, int nFirstId, int nCount)
    {
        Texts texts;
        for (int nId = nFirstId; nId < nFirstId + nCount; ++nId)
            texts.push_back(Text(hDlg, nId));
        return texts;
    }
};

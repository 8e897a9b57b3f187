#include "ui/exchange/dialog.h"

#include <string>
#include <tuple>
#include <vector>

#include <QWidget>

#include <gtest/gtest.h>

#include "tests/exchange/testdialogs.h"
#include "tests/support/uitest.h"
#include "ui/exchange/winapp.h"

namespace {

using Texts = std::vector<std::string>;
using ModalRun = UiTest;

// A dialog that cannot be built or loaded ends with -1 before it is ever shown.
TEST_F(ModalRun, FailuresBeforeShowingReturnMinusOne)
{
    CDialog missingTemplate(IDD_MISSING);
    CFieldsDlg missingControl;
    missingControl.m_pAfterA = ExchangeMissingControl;
    for (const auto& [pDialog, prompts] : {std::pair<CDialog*, Texts>{&missingTemplate, {}},
                                           {&missingControl, {"An unsupported operation was attempted."}}}) {
        bool bDriven = false;
        EXPECT_EQ(RunDriven(m_seam, *pDialog, [&](HWND) { bDriven = true; }), -1);
        EXPECT_FALSE(bDriven);
        EXPECT_EQ(TakeMessages(m_seam), prompts);
    }
}

// How a user ends a dialog, and what it returns. Only OK, and Enter on it, read the fields.
TEST_F(ModalRun, OkCancelEscapeEnterAndTheCloseBox)
{
    // The row's name, what field A holds, the user's action, the result (0: stays open), the prompts.
    const std::vector<std::tuple<const char*, const char*, DialogAction, int, Texts>> rows = {
        {"OK, valid", "1", ClickOn(IDOK), IDOK, {}},
        {"OK, invalid", "x", ClickOn(IDOK), 0, {"Please enter a number."}},
        {"keypad Enter in a field, invalid", "x", KeyIn(IDC_C, Qt::Key_Enter), 0, {"Please enter a number."}},
        {"Cancel, invalid", "x", ClickOn(IDCANCEL), IDCANCEL, {}},
        {"Escape, invalid", "x", KeyIn(IDC_B, Qt::Key_Escape), IDCANCEL, {}},
        {"close box, invalid", "x", CloseBox(), IDCANCEL, {}},
        {"Enter on Cancel, invalid", "x", KeyIn(IDCANCEL, Qt::Key_Return), IDCANCEL, {}},
    };
    for (const auto& [pszName, pszFieldA, action, nExpected, prompts] : rows) {
        SCOPED_TRACE(pszName);
        CFieldsDlg dialog;
        bool bStillOpen = false;
        const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
            platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_A), pszFieldA);
            action(hDlg);
            bStillOpen = platform::IsInModalLoop(hDlg);
            if (bStillOpen)
                dialog.EndModal(IDCANCEL);
        });
        EXPECT_EQ(bStillOpen, nExpected == 0);
        EXPECT_EQ(nResult, nExpected == 0 ? IDCANCEL : nExpected);
        EXPECT_EQ(TakeMessages(m_seam), prompts);
    }
}

// Focus starts on the first tab stop and Tab follows the template. A nested dialog is centred over its owner,
// which takes no click while it runs.
TEST_F(ModalRun, TabOrderAndANestedDialogOverItsOwner)
{
    CFieldsDlg owner;
    CDialog nested(IDD_OK_ONLY);
    GetApp()->m_pMainWnd = &owner;
    std::vector<int> tabOrder;
    RunDriven(m_seam, owner, [&](HWND hOwner) {
        for (int i = 0; i < 8; ++i) {
            tabOrder.push_back(platform::GetDlgCtrlID(platform::GetFocus()));
            PressKey(platform::GetFocus(), Qt::Key_Tab);
        }
        DriveDialogs(m_seam, [&](HWND hNested) {
            EXPECT_EQ(platform::GetWindowOwner(hNested), hOwner);
            EXPECT_EQ(platform::GetLastActivePopup(hOwner), hNested);
            const QPoint offset = platform::WidgetOf(hNested)->frameGeometry().center() -
                                  platform::WidgetOf(hOwner)->frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 4) << "centred, give or take the window frame";
            Click(platform::GetDlgItem(hOwner, IDC_OTHER));
            EXPECT_EQ(owner.m_nOtherClicks, 0) << "the owner took a click while a dialog ran over it";
            nested.EndModal(IDOK);
        });
        EXPECT_EQ(nested.RunModal(), IDOK);
        EXPECT_EQ(platform::GetLastActivePopup(hOwner), hOwner);
        Click(platform::GetDlgItem(hOwner, IDC_OTHER));
        EXPECT_EQ(owner.m_nOtherClicks, 1);
        owner.EndModal(IDCANCEL);
    });
    GetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(tabOrder, (std::vector<int>{IDC_A, IDC_B, IDC_C, IDC_D, IDOK, IDCANCEL, IDC_OTHER, IDC_A}));
}

TEST(AppName, IsTheProgramFileWithoutDirectoryAndExtension)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"/usr/bin/ratiograph", "ratiograph"}, {"C:\\Tools\\ratiograph.EXE", "ratiograph"},
        {"D:ratiograph.exe", "ratiograph"},    {"/opt/v1.2/ratiograph", "ratiograph"},
        {"/home/me/my.gear.calc", "my.gear"},  {"ratiograph", "ratiograph"},
    };
    for (const auto& [strPath, strName] : rows)
        EXPECT_EQ(AppNameFromModulePath(strPath), strName) << strPath;
}

} // namespace

#include "ui/exchange/dialog.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <gtest/gtest.h>

#include "tests/exchange/testdialogs.h"
#include "tests/support/uitest.h"
#include "ui/exchange/winapp.h"

namespace {

using ModalRun = UiTest;

TEST_F(ModalRun, MissingTemplateFailsWithoutShowingAnything)
{
    CDialog dialog(IDD_MISSING);
    bool bDriven = false;
    EXPECT_EQ(RunDriven(m_seam, dialog, [&](HWND) { bDriven = true; }), -1);
    EXPECT_FALSE(bDriven);
    EXPECT_TRUE(m_seam.Records().empty());
}

TEST_F(ModalRun, FailedInitialisationEndsWithMinusOneBeforeTheDialogIsShown)
{
    CFieldsDlg dialog;
    dialog.m_failure = CFieldsDlg::Failure::MissingControl;
    bool bDriven = false;
    EXPECT_EQ(RunDriven(m_seam, dialog, [&](HWND) { bDriven = true; }), -1);
    EXPECT_FALSE(bDriven);
    EXPECT_EQ(m_seam.MessageTexts(), std::vector<std::string>{"An unsupported operation was attempted."});
}

TEST_F(ModalRun, FocusStartsOnTheFirstTabStopAndTabFollowsTheTemplate)
{
    CFieldsDlg dialog;
    std::vector<int> order;
    RunDriven(m_seam, dialog, [&](HWND) {
        for (int i = 0; i < 8; ++i) {
            order.push_back(GetDlgCtrlID(GetFocus()));
            PressKey(GetFocus(), Qt::Key_Tab);
        }
        dialog.EndModal(IDCANCEL);
    });
    EXPECT_EQ(order, (std::vector<int>{IDC_A, IDC_B, IDC_C, IDC_D, IDOK, IDCANCEL, IDC_OTHER, IDC_A}));
}

// How a user ends a dialog, and what it returns. Only OK and Enter read the fields.
struct EndingRow
{
    const char* pszName;
    bool bFieldsValid;
    std::function<void(HWND hDlg)> action;
    int nExpectedResult; // 0: the dialog stays open
    std::vector<std::string> expectedPrompts;
};

TEST_F(ModalRun, OkCancelEscapeEnterAndTheCloseBox)
{
    const std::vector<EndingRow> rows = {
        {"OK, valid", true, [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, IDOK, {}},
        {"OK, invalid", false, [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, 0, {"Please enter a number."}},
        {"Enter in a field, valid",
         true,
         [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_C), Qt::Key_Return); },
         IDOK,
         {}},
        {"Enter in a field, invalid",
         false,
         [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_C), Qt::Key_Enter); },
         0,
         {"Please enter a number."}},
        {"Cancel, invalid", false, [](HWND hDlg) { Click(GetDlgItem(hDlg, IDCANCEL)); }, IDCANCEL, {}},
        {"Escape, invalid", false, [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_B), Qt::Key_Escape); }, IDCANCEL, {}},
        {"close box, invalid", false, [](HWND hDlg) { WidgetFor(hDlg)->close(); }, IDCANCEL, {}},
        {"Enter on another button",
         true,
         [](HWND hDlg) {
             SetFocus(GetDlgItem(hDlg, IDC_OTHER));
             PressKey(GetDlgItem(hDlg, IDC_OTHER), Qt::Key_Return);
         },
         0,
         {}},
        {"Enter on Cancel",
         false,
         [](HWND hDlg) {
             SetFocus(GetDlgItem(hDlg, IDCANCEL));
             PressKey(GetDlgItem(hDlg, IDCANCEL), Qt::Key_Return);
         },
         IDCANCEL,
         {}},
    };
    for (const EndingRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        CFieldsDlg dialog;
        bool bStillOpen = false;
        const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
            SetWindowText(GetDlgItem(hDlg, IDC_A), row.bFieldsValid ? "1" : "x");
            row.action(hDlg);
            bStillOpen = IsInModalLoop(hDlg);
            if (bStillOpen)
                dialog.EndModal(IDCANCEL);
        });
        EXPECT_EQ(bStillOpen, row.nExpectedResult == 0);
        if (row.nExpectedResult != 0) {
            EXPECT_EQ(nResult, row.nExpectedResult);
        }
        EXPECT_EQ(m_seam.MessageTexts(), row.expectedPrompts);
        m_seam.ClearRecords();
    }
}

TEST_F(ModalRun, EscapeClosesADialogWithoutACancelButton)
{
    CDialog dialog(IDD_OK_ONLY);
    RegisterTestTemplates();
    EXPECT_EQ(RunDriven(m_seam, dialog, [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDOK), Qt::Key_Escape); }), IDCANCEL);
    CDialog again(IDD_OK_ONLY);
    EXPECT_EQ(RunDriven(m_seam, again, [](HWND hDlg) { WidgetFor(hDlg)->close(); }), IDCANCEL);
}

TEST_F(ModalRun, NestedDialogIsCentredOverItsOwnerAndBlocksIt)
{
    CFieldsDlg owner(IDD_FIELDS);
    CDialog nested(IDD_OK_ONLY);
    GetApp()->m_pMainWnd = &owner;
    RunDriven(m_seam, owner, [&](HWND hOwner) {
        DriveDialogs(m_seam, [&](HWND hNested) {
            EXPECT_EQ(GetWindowOwner(hNested), hOwner);
            EXPECT_EQ(GetLastActivePopup(hOwner), hNested);
            const QPoint offset = WidgetFor(hNested)->geometry().center() - WidgetFor(hOwner)->geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2);
            Click(GetDlgItem(hOwner, IDC_OTHER));
            EXPECT_EQ(owner.m_nOtherClicks, 0) << "the owner took a click while a dialog ran over it";
            nested.EndModal(IDOK);
        });
        EXPECT_EQ(nested.RunModal(), IDOK);
        EXPECT_EQ(GetLastActivePopup(hOwner), hOwner);
        Click(GetDlgItem(hOwner, IDC_OTHER));
        EXPECT_EQ(owner.m_nOtherClicks, 1);
        owner.EndModal(IDCANCEL);
    });
    GetApp()->m_pMainWnd = nullptr;
}

// Templates are laid out in dialog units, so a larger desktop font makes the whole dialog larger in proportion.
TEST_F(ModalRun, LayoutScalesWithTheFont)
{
    const QFont savedFont = QApplication::font();
    auto measure = [&](int nPointSize) {
        QFont font = savedFont;
        font.setPointSize(nPointSize);
        QApplication::setFont(font);
        CFieldsDlg dialog;
        QSize dialogSize, fieldSize;
        RunDriven(m_seam, dialog, [&](HWND hDlg) {
            dialogSize = WidgetFor(hDlg)->size();
            fieldSize = WidgetFor(GetDlgItem(hDlg, IDC_A))->size();
            dialog.EndModal(IDCANCEL);
        });
        return std::make_pair(dialogSize, fieldSize);
    };
    const auto [smallDialog, smallField] = measure(9);
    const auto [largeDialog, largeField] = measure(18);
    QApplication::setFont(savedFont);
    EXPECT_NEAR(double(largeDialog.width()) / smallDialog.width(), 2.0, 0.25);
    EXPECT_NEAR(double(largeDialog.height()) / smallDialog.height(), 2.0, 0.25);
    EXPECT_NEAR(double(largeField.width()) / largeDialog.width(), double(smallField.width()) / smallDialog.width(),
                0.02);
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

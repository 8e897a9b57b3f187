#include "app/gearcalcapp.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/support/uitest.h"
#include "ui/exchange/dialog.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

using Application = UiTest;

// The program's whole life: the notice, however it is closed, then the calculator as the main window; when
// the calculator closes, start-up is over.
TEST_F(Application, NoticeThenCalculatorThenTheEnd)
{
    RegisterProgramResources();
    for (Qt::Key closeNotice : {Qt::Key_Escape, Qt::Key_Return}) {
        CGearCalcApp app;
        std::vector<int> shown;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            shown.push_back(GetDialogTemplateId(hDlg));
            if (GetDialogTemplateId(hDlg) == IDD_NOTICE) {
                EXPECT_EQ(app.m_pMainWnd, nullptr);
                PressKey(GetDlgItem(hDlg, IDOK), closeNotice);
                return;
            }
            ASSERT_NE(app.m_pMainWnd, nullptr);
            EXPECT_EQ(app.m_pMainWnd->m_hWnd, hDlg);
            EXPECT_EQ(GetWindowOwner(hDlg), nullptr);
            PressKey(GetDlgItem(hDlg, IDC_RPM), Qt::Key_Escape);
        });
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(shown, (std::vector<int>{IDD_NOTICE, IDD_GEARCALC_DIALOG}));
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    EXPECT_TRUE(m_seam.Records().empty());
}

} // namespace

#include "app/gearcalcapp.h"

#include <string>
#include <tuple>
#include <vector>

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/support/files.h"
#include "tests/support/uitest.h"
#include "ui/exchange/dialog.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

using Application = UiTest;
using Texts = std::vector<std::string>;

// The program's whole life: the notice, however it is closed, then the calculator as the main window; when the
// calculator closes, start-up is over. A file named on the command line is loaded once the calculator is up,
// exactly as Load would.
TEST_F(Application, NoticeThenCalculatorWithTheFileGivenThenTheEnd)
{
    RegisterProgramResources();
    QTemporaryDir dir;
    const std::string strLetters = dir.filePath(QStringLiteral("car.kvr")).toStdString();
    ASSERT_TRUE(WriteBytes(strLetters, "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\nfast\r\n3.53\r\n26.4\r\n"));
    const std::vector<std::tuple<Qt::Key, std::string, Texts, const char*>> rows = {
        {Qt::Key_Return, strLetters, Texts(4, "Please enter a number."), "fast"},
        {Qt::Key_Escape, dir.filePath(QStringLiteral("missing.kvr")).toStdString(), {"ERROR|Cannot open file."}, "0"},
        {Qt::Key_Return,
         "/dev/zero",
         {"ERROR|This is not a settings file: it is a device, a pipe or a socket. Nothing was loaded."},
         "0"},
    };
    for (const auto& [closeNotice, settingsFile, messages, pszRpm] : rows) {
        SCOPED_TRACE(settingsFile);
        CGearCalcApp app;
        app.m_settingsFile = settingsFile;
        std::vector<int> shown;
        std::string strRpm;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            shown.push_back(platform::GetDialogTemplateId(hDlg));
            if (platform::GetDialogTemplateId(hDlg) == IDD_NOTICE) {
                EXPECT_EQ(app.m_pMainWnd, nullptr);
                PressKey(platform::GetDlgItem(hDlg, IDOK), closeNotice);
                return;
            }
            ASSERT_NE(app.m_pMainWnd, nullptr);
            EXPECT_EQ(app.m_pMainWnd->m_hWnd, hDlg);
            EXPECT_EQ(platform::GetWindowOwner(hDlg), nullptr);
            QTest::qWait(0); // the file is loaded from the calculator's own loop
            strRpm = platform::GetWindowText(platform::GetDlgItem(hDlg, IDC_RPM));
            PressKey(platform::GetDlgItem(hDlg, IDC_RPM), Qt::Key_Escape);
        });
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(shown, (std::vector<int>{IDD_NOTICE, IDD_GEARCALC_DIALOG}));
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(TakeMessages(m_seam), messages);
        EXPECT_EQ(strRpm, pszRpm);
    }
}

} // namespace

#include "app/gearcalcapp.h"

#include <vector>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

// A file named on the command line is loaded once the calculator is up, exactly as Load would.
TEST_F(Application, OpensTheFileGivenOnTheCommandLine)
{
    RegisterProgramResources();
    QTemporaryDir dir;
    const std::string strGood = dir.filePath(QStringLiteral("car.kvr")).toStdString();
    QFile file(QString::fromStdString(strGood));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\nfast\r\n3.53\r\n26.4\r\n");
    file.close();

    struct Row
    {
        std::string strPath;
        std::vector<std::string> messages;
        const char* pszRpm;
    };
    const std::vector<Row> rows = {
        {strGood, std::vector<std::string>(4, "Please enter a number."), "fast"},
        {dir.filePath(QStringLiteral("missing.kvr")).toStdString(), {"Cannot open file."}, "0"},
    };
    for (const Row& row : rows) {
        CGearCalcApp app;
        app.m_settingsFile = row.strPath;
        std::string strRpm;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            if (GetDialogTemplateId(hDlg) == IDD_GEARCALC_DIALOG) {
                QTest::qWait(0);
                strRpm = GetWindowText(GetDlgItem(hDlg, IDC_RPM));
            }
            PressKey(GetDlgItem(hDlg, IDOK), Qt::Key_Escape);
        });
        app.InitInstance();
        EXPECT_EQ(m_seam.MessageTexts(), row.messages);
        EXPECT_EQ(strRpm, row.pszRpm);
        m_seam.ClearRecords();
    }
}

} // namespace

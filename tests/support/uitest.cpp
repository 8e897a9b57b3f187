#include "tests/support/uitest.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "ui/exchange/dialog.h"
#include "ui/exchange/winapp.h"

void UiTest::TypeInto(HWND hEdit, std::string_view text)
{
    QWidget* pWidget = platform::WidgetOf(hEdit);
    pWidget->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(pWidget, Qt::Key_A, Qt::ControlModifier);
    if (text.empty())
        QTest::keyClick(pWidget, Qt::Key_Delete);
    else
        QTest::keyClicks(pWidget, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void UiTest::PressKey(HWND hWnd, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Through the window, as the window system delivers a key, so that access keys and shortcuts take it first.
    QWidget* pWidget = platform::WidgetOf(hWnd);
    pWidget->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(pWidget->window()->windowHandle(), key, modifiers);
}

void UiTest::Click(HWND hButton)
{
    // Through the window, as the window system delivers a click, so that a modal dialog can refuse it.
    QWidget* pButton = platform::WidgetOf(hButton);
    QWidget* pWindow = pButton->window();
    QTest::mouseClick(pWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      pButton->mapTo(pWindow, pButton->rect().center()));
}

void UiTest::DriveDialogs(CModalSeam& seam, std::function<void(HWND hDlg)> driver)
{
    seam.SetModalDriver([driver = std::move(driver)](HWND hDlg) {
        // Not qWaitForWindowActive: it counts a dialog as active as soon as its owner is.
        QWidget* pWindow = platform::WidgetOf(hDlg);
        if (!QTest::qWaitFor([pWindow] { return QApplication::activeWindow() == pWindow; }))
            ADD_FAILURE_AT(__FILE__, __LINE__) << "the dialog did not become active";
        driver(hDlg);
    });
}

int UiTest::RunDriven(CModalSeam& seam, CDialog& dialog, std::function<void(HWND hDlg)> driver)
{
    DriveDialogs(seam, [&dialog, driver = std::move(driver)](HWND hDlg) {
        if (hDlg == dialog.m_hWnd) // a nested dialog is the driver's own business
            driver(hDlg);
    });
    return dialog.RunModal();
}

std::vector<std::string> UiTest::TakeMessages(CModalSeam& seam)
{
    std::vector<std::string> messages;
    for (const CBoxRecord& record : seam.Records()) {
        if (record.kind != CBoxRecord::Kind::Message)
            continue;
        const bool bPrompt = GetApp() != nullptr && record.strCaption == GetApp()->m_strAppName;
        EXPECT_EQ(record.nType, bPrompt ? MB_OK | MB_ICONEXCLAMATION : MB_OK) << record.strText;
        messages.push_back(bPrompt ? record.strText : record.strCaption + "|" + record.strText);
    }
    seam.ClearRecords();
    return messages;
}

void UiTest::TearDown()
{
    QApplication::processEvents();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left open";
    EXPECT_EQ(m_seam.LoopsLeftOpen(), 0) << "a dialog waited for a person";
    EXPECT_TRUE(TakeMessages(m_seam).empty()) << "a box was shown that the test did not expect";
}

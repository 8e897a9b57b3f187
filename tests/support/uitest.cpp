#include "tests/support/uitest.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "ui/exchange/dialog.h"
#include "ui/exchange/winapp.h"

void TypeInto(HWND hEdit, std::string_view text)
{
    QWidget* pWidget = platform::WidgetOf(hEdit);
    pWidget->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(pWidget, Qt::Key_A, Qt::ControlModifier);
    if (text.empty())
        QTest::keyClick(pWidget, Qt::Key_Delete);
    else
        QTest::keyClicks(pWidget, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PressKey(HWND hWnd, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Through the window, as the window system delivers a key, so that access keys and shortcuts take it first.
    QWidget* pWidget = platform::WidgetOf(hWnd);
    pWidget->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(pWidget->window()->windowHandle(), key, modifiers);
}

std::string Text(HWND hDlg, int nId)
{
    return platform::GetWindowText(platform::GetDlgItem(hDlg, nId));
}

void TypeInto(HWND hDlg, int nId, std::string_view text)
{
    TypeInto(platform::GetDlgItem(hDlg, nId), text);
}

void PressKey(HWND hDlg, int nId, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    PressKey(platform::GetDlgItem(hDlg, nId), key, modifiers);
}

void Click(HWND hDlg, int nId)
{
    Click(platform::GetDlgItem(hDlg, nId));
}

QWidget* Widget(HWND hDlg, int nId)
{
    return platform::WidgetOf(platform::GetDlgItem(hDlg, nId));
}

void SetText(HWND hDlg, int nId, std::string_view text)
{
    platform::SetWindowText(platform::GetDlgItem(hDlg, nId), text);
}

void Click(HWND hButton)
{
    // Through the window, as the window system delivers a click, so that a modal dialog can refuse it.
    QWidget* pButton = platform::WidgetOf(hButton);
    QWidget* pWindow = pButton->window();
    QTest::mouseClick(pWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      pButton->mapTo(pWindow, pButton->rect().center()));
}

DialogAction ClickOn(int nId)
{
    return [nId](HWND hDlg) {
        Click(hDlg, nId);
    };
}

DialogAction KeyIn(int nId, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    return [nId, key, modifiers](HWND hDlg) {
        PressKey(hDlg, nId, key, modifiers);
    };
}

DialogAction CloseBox()
{
    return [](HWND hDlg) {
        platform::WidgetOf(hDlg)->close();
    };
}

void DriveDialogs(CModalSeam& seam, std::function<void(HWND hDlg)> driver)
{
    seam.SetModalDriver([driver = std::move(driver)](HWND hDlg) {
        // Not qWaitForWindowActive: it counts a dialog as active as soon as its owner is.
        QWidget* pWindow = platform::WidgetOf(hDlg);
        if (!QTest::qWaitFor([pWindow] { return QApplication::activeWindow() == pWindow; }))
            ADD_FAILURE_AT(__FILE__, __LINE__) << "the dialog did not become active";
        driver(hDlg);
    });
}

int RunDriven(CModalSeam& seam, CDialog& dialog, std::function<void(HWND hDlg)> driver)
{
    DriveDialogs(seam, [&dialog, driver = std::move(driver)](HWND hDlg) {
        if (hDlg == dialog.m_hWnd) // a nested dialog is the driver's own business
            driver(hDlg);
    });
    return dialog.RunModal();
}

std::vector<std::string> TakeMessages(CModalSeam& seam)
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

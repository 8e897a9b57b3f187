#pragma once

// Driving dialogs as a user would, inside their modal runs, and reading back every box the modal seam answered.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>
#include <Qt>

#include <gtest/gtest.h>

#include "platform/modalseam.h"
#include "platform/widgetaccess.h"

class CDialog;

// What a user does to end or use a dialog, as one cell of a table; texts, as prompts and fields show them.
using DialogAction = std::function<void(HWND hDlg)>;
using Texts = std::vector<std::string>;
inline const std::string kNumber = "Please enter a number.";

class UiTest : public ::testing::Test
{
protected:
    void TearDown() override;

    // Replaces the field's text by typing, one key per character, as a user would after selecting all.
    static void TypeInto(HWND hEdit, std::string_view text);
    // Gives the control the focus, then presses the key there, through the window.
    static void PressKey(HWND hWnd, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void Click(HWND hButton);
    // The same on the dialog's control nId; SetText writes the text as the program would, at once.
    static void TypeInto(HWND hDlg, int nId, std::string_view text) { TypeInto(Item(hDlg, nId), text); }
    static void PressKey(HWND hDlg, int nId, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PressKey(Item(hDlg, nId), key, modifiers);
    }
    static void Click(HWND hDlg, int nId) { Click(Item(hDlg, nId)); }
    static void SetText(HWND hDlg, int nId, std::string_view text) { platform::SetWindowText(Item(hDlg, nId), text); }
    static std::string Text(HWND hDlg, int nId) { return platform::GetWindowText(Item(hDlg, nId)); }
    static QWidget* Widget(HWND hDlg, int nId) { return platform::WidgetOf(Item(hDlg, nId)); }
    static HWND Item(HWND hDlg, int nId) { return platform::GetDlgItem(hDlg, nId); }

    static DialogAction ClickOn(int nId)
    {
        return DialogAction([nId](HWND hDlg) { Click(hDlg, nId); });
    }
    static DialogAction KeyIn(int nId, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        return DialogAction([=](HWND hDlg) { PressKey(hDlg, nId, key, modifiers); });
    }
    static DialogAction CloseBox()
    {
        return DialogAction([](HWND hDlg) { platform::WidgetOf(hDlg)->close(); });
    }

    // Installs a driver for every modal run that starts from now on; it acts once that dialog is shown and active.
    static void DriveDialogs(CModalSeam& seam, std::function<void(HWND hDlg)> driver);
    // Runs the dialog modally with a driver for it (not for nested ones); RunModal's result.
    static int RunDriven(CModalSeam& seam, CDialog& dialog, std::function<void(HWND hDlg)> driver);
    // The boxes answered since the last call: a prompt as its text, any other as "CAPTION|text"; checks their icons.
    static std::vector<std::string> TakeMessages(CModalSeam& seam);

    CModalSeam m_seam;
};

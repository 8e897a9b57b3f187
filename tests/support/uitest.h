#pragma once

// Tests that drive dialogs as a user would: type, press keys and click, run a dialog with a driver that acts
// inside its modal run, and read back every box the modal seam answered. A UiTest leaves no window open and no message
// box unread.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <Qt>

#include <gtest/gtest.h>

#include "platform/modalseam.h"
#include "platform/widgetaccess.h"

class CDialog;

// Replaces the field's text by typing, one key per character, as a user would after selecting all.
void TypeInto(HWND hEdit, std::string_view text);
// Gives the control the focus, then presses the key there.
void PressKey(HWND hWnd, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(HWND hButton);
std::string Text(HWND hDlg, int nId);
// The same on the dialog's control nId; SetText writes the text as the program would, at once.
void TypeInto(HWND hDlg, int nId, std::string_view text);
void PressKey(HWND hDlg, int nId, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Click(HWND hDlg, int nId);
void SetText(HWND hDlg, int nId, std::string_view text);
QWidget* Widget(HWND hDlg, int nId);

// What a user does to end or use a dialog, as one cell of a table.
using DialogAction = std::function<void(HWND hDlg)>;
DialogAction ClickOn(int nId);
DialogAction KeyIn(int nId, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
DialogAction CloseBox();

// Installs a driver for every modal run that starts from now on; it acts once that dialog is shown and active.
void DriveDialogs(CModalSeam& seam, std::function<void(HWND hDlg)> driver);
// Runs the dialog modally with a driver for it (a nested dialog is the driver's own business); RunModal's result.
int RunDriven(CModalSeam& seam, CDialog& dialog, std::function<void(HWND hDlg)> driver);

// Every message box answered since the last call, in order: a validation prompt (captioned with the program's
// name) as its text, any other box as "CAPTION|text". Also checks each box's icon: the exclamation icon on
// prompts, none on the program's own messages.
std::vector<std::string> TakeMessages(CModalSeam& seam);

class UiTest : public ::testing::Test
{
protected:
    void TearDown() override;

    CModalSeam m_seam;
};

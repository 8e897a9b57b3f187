#pragma once

// Helpers for tests that drive dialogs as a user would: find the widget behind a window handle, type into
// it, press keys and click, and run a dialog modally with a driver that acts inside its loop.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <Qt>

#include "platform/modalseam.h"
#include "platform/widgetaccess.h"

class CDialog;

// Replaces the field's text by typing, one key per character, as a user would after selecting all.
void TypeInto(HWND hEdit, std::string_view text);
// Gives the control the focus, then presses the key there.
void PressKey(HWND hWnd, Qt::Key key);
void Click(HWND hButton);

// What a user does to end or use a dialog, as one cell of a table: click a control, press a key in a control,
// or use the window's close box.
using DialogAction = std::function<void(HWND hDlg)>;
DialogAction ClickOn(int nId);
DialogAction KeyIn(int nId, Qt::Key key);
DialogAction CloseBox();

// Installs a driver for every modal loop that starts from now on; it acts once that dialog is shown and active.
void DriveDialogs(CModalSeam& seam, std::function<void(HWND hDlg)> driver);

// Runs the dialog modally; the driver acts once the dialog is shown and active. Returns RunModal's result.
int RunDriven(CModalSeam& seam, CDialog& dialog, std::function<void(HWND hDlg)> driver);

// Every message box the seam answered since the last call, as "caption|text" strings.
std::vector<std::string> TakePrompts(CModalSeam& seam);

#include <gtest/gtest.h>

// A test that may open dialogs: every box goes through its seam, and it leaves no window behind.
class UiTest : public ::testing::Test
{
protected:
    void TearDown() override;

    CModalSeam m_seam;
};

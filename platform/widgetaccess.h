#pragma once

// Between window handles and the Qt widgets behind them, for the platform's own files and for tests that
// drive widgets as a user would (typing, clicking, looking at pixels). Nothing above platform/ includes this.

#include <optional>

#include <QSettings>
#include <QSize>

#include "platform/window.h"

class QWidget;

namespace platform {

QWidget* WidgetOf(HWND hWnd);
// The handle of a dialog or control the platform made; null for any other widget.
HWND HandleOf(const QWidget* pWidget);
// Dialogs created from now on see a screen with this available area (device-independent pixels) and device
// pixel ratio instead of the real one; nothing gives them the real screen again.
struct TestScreen
{
    QSize availableArea;
    double devicePixelRatio = 1.0;
};
void SetScreenForTesting(std::optional<TestScreen> screen);
// A window of its own beside its owner where the screen has room, so that both stay in view; in the middle of the
// screen where not.
void PlaceBeside(QWidget* pWindow, const QWidget* pOwner);
// A problem beside its field: a warning sign in an edit (seen without colour), the reason as its tooltip and as its
// description for screen readers; an empty problem clears them.
void MarkField(QWidget* pField, const QString& problem);
// What the program keeps for the user between runs.
QSettings ProgramSettings();

} // namespace platform

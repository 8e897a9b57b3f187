#pragma once

// Between window handles and the Qt widgets behind them, for the platform's own files and for tests that
// drive widgets as a user would (typing, clicking, looking at pixels). Nothing above platform/ includes this.

#include "platform/window.h"

class QWidget;

namespace platform {

QWidget* WidgetOf(HWND hWnd);
// The handle of a dialog or control the platform made; null for any other widget.
HWND HandleOf(const QWidget* pWidget);

} // namespace platform

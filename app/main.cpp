#include <cstdio>

#include "app/gearcalcapp.h"
#include "platform/window.h"
#include "ui/templates.h"

namespace {

// The one application object; its name comes from the program file, so prompts read "ratiograph".
CGearCalcApp theApp;

} // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fputs("ratiograph: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }
    CPlatformSession session(argc, argv);
    RegisterProgramResources();
    return RunWinApp();
}

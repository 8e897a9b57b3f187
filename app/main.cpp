#include <cstdio>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/gearcalcapp.h"
#include "platform/window.h"
#include "ui/templates.h"

namespace {

// The one application object; its name comes from the program file, so prompts read "ratiograph".
CGearCalcApp theApp;

} // namespace

int main(int argc, char** argv)
{
    const CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n", commandLine.strMessage.c_str());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    if (!platform::HasDisplay()) {
        std::fputs("ratiograph: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }
    theApp.m_settingsFile = commandLine.settingsFile;
    CPlatformSession session(argc, argv);
    RegisterProgramResources();
    return RunWinApp();
}

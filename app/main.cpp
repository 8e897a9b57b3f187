#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/gearcalcapp.h"
#include "app/reportcommand.h"
#include "platform/window.h"
#include "ui/templates.h"

namespace {

// The one application object; its name comes from the program file, so prompts read "ratiograph".
CGearCalcApp theApp;

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit (ulimit -f) a write then fails with EFBIG, and Save says so, instead of the signal
    // ending the program with the calculator's values lost.
    std::signal(SIGXFSZ, SIG_IGN);
    const auto argsOf = [&argv](int nCount) {
        return std::vector<std::string>(argv + std::min(nCount, 1), argv + nCount);
    };
    CommandLine commandLine = ParseCommandLine(argsOf(argc));
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        return WriteAndClose(stdout, HelpText()) ? 0 : 1;
    case CommandLine::Action::ShowVersion:
        return WriteAndClose(stdout, VersionText()) ? 0 : 1;
    case CommandLine::Action::Report:
    case CommandLine::Action::Export:
        return RunReportCommand(commandLine, argc, argv);
    case CommandLine::Action::UsageError: // perhaps only an option of Qt's, which the window system takes first
    case CommandLine::Action::Run:
        break;
    }

    if (!platform::HasDisplay(argsOf(argc))) {
        if (commandLine.action == CommandLine::Action::UsageError) {
            std::fprintf(stderr, "%s\n", commandLine.strMessage.c_str());
            return 2;
        }
        std::fputs("ratiograph: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }
    CPlatformSession session(argc, argv);
    // What Qt left of the arguments is ours.
    commandLine = ParseCommandLine(argsOf(argc));
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        return WriteAndClose(stdout, HelpText()) ? 0 : 1;
    case CommandLine::Action::ShowVersion:
        return WriteAndClose(stdout, VersionText()) ? 0 : 1;
    case CommandLine::Action::Report:
    case CommandLine::Action::Export:
        std::fputs("ratiograph: a report takes none of the window system's options\n", stderr);
        return 2;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n", commandLine.strMessage.c_str());
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    theApp.m_settingsFile = commandLine.settingsFile;
    RegisterProgramResources();
    return RunWinApp();
}

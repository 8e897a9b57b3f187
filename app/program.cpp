#include "app/program.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/gearcalcapp.h"
#include "app/reportcommand.h"
#include "platform/document.h"
#include "platform/performance/performanceview.h"
#include "platform/window.h"
#include "ui/reportpage.h"
#include "ui/templates.h"

namespace {

// The one application object; its name comes from the program file, so prompts read "ratiograph".
CGearCalcApp theApp;

// --help and --version answer on standard output, before the window system is opened and after it has taken its
// own options; nothing when the command line asks for something else.
std::optional<int> AnswerOnOutput(const CommandLine& commandLine)
{
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        return WriteAndClose(stdout, HelpText()) ? 0 : 1;
    case CommandLine::Action::ShowVersion:
        return WriteAndClose(stdout, VersionText()) ? 0 : 1;
    default:
        return std::nullopt;
    }
}

} // namespace

int RunProgram(int argc, char** argv)
{
    // Past a file size limit (ulimit -f) a write then fails with EFBIG, and Save says so, instead of the signal
    // ending the program with the calculator's values lost.
    std::signal(SIGXFSZ, SIG_IGN);
    const auto argsOf = [&argv](int nCount) {
        return std::vector<std::string>(argv + std::min(nCount, 1), argv + nCount);
    };
    CommandLine commandLine = ParseCommandLine(argsOf(argc));
    if (const std::optional<int> nExit = AnswerOnOutput(commandLine))
        return *nExit;
    if (commandLine.action == CommandLine::Action::Tires)
        return RunTiresCommand(commandLine);
    if (commandLine.action == CommandLine::Action::Presets)
        return RunPresetsCommand(commandLine);
    if (commandLine.action == CommandLine::Action::Performance) {
        return RunPerformanceCommand(
            commandLine, [&](ReportFormat format, const ReportDocument& document, const CPerformanceModel& model,
                             const PerformanceAnalysis& analysis, Units units, ImageSize imageSize) {
                const CPlatformSession session(argc, argv, CPlatformSession::Screen::None);
                const PerformanceUnits chartUnits =
                    units == Units::Us ? PerformanceUnits{ForceUnit::PoundsForce, SpeedUnit::MilesPerHour}
                                       : PerformanceUnits{};
                return RenderReportFile(format, document, MakeForceChart(model, analysis, chartUnits), imageSize);
            });
    }
    if (commandLine.action == CommandLine::Action::Report || commandLine.action == CommandLine::Action::Export) {
        // The drawn formats start the window system without a screen, so no display is needed.
        return RunReportCommand(commandLine, [&](ReportFormat format, const GearReport& report, ImageSize imageSize,
                                                 const std::vector<AxleRatioList>& axles) {
            const CPlatformSession session(argc, argv, CPlatformSession::Screen::None);
            return RenderSettingsReport(format, report, imageSize, axles);
        });
    }

    // A usage error may be only an option of Qt's, which the window system takes first.
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
    if (const std::optional<int> nExit = AnswerOnOutput(commandLine))
        return *nExit;
    if (commandLine.action != CommandLine::Action::Run && commandLine.action != CommandLine::Action::UsageError) {
        std::fputs("ratiograph: a report takes none of the window system's options\n", stderr);
        return 2;
    }
    if (commandLine.action == CommandLine::Action::UsageError) {
        std::fprintf(stderr, "%s\n", commandLine.strMessage.c_str());
        return 2;
    }
    theApp.m_settingsFile = commandLine.settingsFile;
    RegisterProgramResources();
    return RunWinApp();
}

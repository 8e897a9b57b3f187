#include "app/reportcommand.h"

#include <cstdio>
#include <optional>
#include <string>

#include "calc/gearreport.h"
#include "platform/window.h"
#include "settingsfile/atomicfile.h"
#include "settingsfile/reportformats.h"
#include "settingsfile/settingsfile.h"
#include "ui/reportpage.h"
#include "ui/settingsvalues.h"

namespace {

// A settings file's record as the calculator would take it; nothing when it cannot be read or when a field would
// prompt, after telling each problem on standard error as compilers do: "car.kvr:8: Please enter a number.".
std::optional<GearSettings> ReadRecord(const std::string& strPath)
{
    const SettingsFileLines file = ReadSettingsFile(strPath);
    if (file.status != SettingsReadStatus::Read) {
        std::fprintf(stderr, "ratiograph: %s: %s\n", strPath.c_str(),
                     std::string(SettingsReadMessage(file.status)).c_str());
        return std::nullopt;
    }
    const SettingsValues values = JudgeSettingsLines(file.lines);
    for (const SettingsProblem& problem : values.problems)
        std::fprintf(stderr, "%s:%d: %s\n", strPath.c_str(), problem.nLine, problem.strPrompt.c_str());
    if (!values.problems.empty())
        return std::nullopt;
    return values.settings;
}

bool IsDrawn(ReportFormat format)
{
    return format == ReportFormat::Pdf || format == ReportFormat::Svg || format == ReportFormat::Png;
}

} // namespace

int RunReportCommand(const CommandLine& commandLine, int& argc, char** argv)
{
    const std::optional<GearSettings> settings = ReadRecord(*commandLine.settingsFile);
    std::optional<GearSettings> setupB;
    if (commandLine.compareFile)
        setupB = ReadRecord(*commandLine.compareFile);
    if (!settings || (commandLine.compareFile && !setupB))
        return 1;

    const GearReport report = BuildGearReport(*settings, commandLine.cruiseMph, setupB);
    const ValueTexts valueTexts = FormatValueTexts(*settings);
    if (commandLine.action == CommandLine::Action::Report)
        return WriteAndClose(stdout, RenderReport(commandLine.format, report, valueTexts)) ? 0 : 1;

    std::optional<CPlatformSession> session;
    if (IsDrawn(commandLine.format))
        session.emplace(argc, argv, CPlatformSession::Screen::None);
    const std::string bytes = RenderReport(commandLine.format, report, valueTexts, commandLine.imageSize);
    if (bytes.empty() || !WriteFileAtomically(*commandLine.outputFile, bytes)) {
        std::fprintf(stderr, "ratiograph: %s: Error saving file.\n", commandLine.outputFile->c_str());
        return 1;
    }
    return 0;
}

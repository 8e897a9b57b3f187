#include "app/reportcommand.h"

#include <cstdio>
#include <optional>

#include "report/reportdocument.h"
#include "settingsfile/atomicfile.h"
#include "settingsfile/settingsfile.h"

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

} // namespace

int RunReportCommand(const CommandLine& commandLine, const DrawReportFunction& drawReport)
{
    const std::optional<GearSettings> settings = ReadRecord(*commandLine.settingsFile);
    std::optional<GearSettings> setupB;
    if (commandLine.compareFile)
        setupB = ReadRecord(*commandLine.compareFile);
    if (!settings || (commandLine.compareFile && !setupB))
        return 1;

    const GearReport report = BuildGearReport(*settings, commandLine.cruiseMph, setupB);
    const ValueTexts valueTexts = FormatValueTexts(*settings);
    std::string bytes;
    if (IsDrawnFormat(commandLine.format))
        bytes = drawReport ? drawReport(commandLine.format, report, valueTexts, commandLine.imageSize) : "";
    else
        bytes = FormatTextualReport(commandLine.format, BuildSettingsReport(report, valueTexts)).value_or("");
    if (commandLine.action == CommandLine::Action::Report)
        return WriteAndClose(stdout, bytes) ? 0 : 1;
    if (bytes.empty() || !WriteFileAtomically(*commandLine.outputFile, bytes)) {
        std::fprintf(stderr, "ratiograph: %s: Error saving file.\n", commandLine.outputFile->c_str());
        return 1;
    }
    return 0;
}

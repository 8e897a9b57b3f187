#include "app/reportcommand.h"

#include <cstdio>
#include <optional>

#include <unistd.h>

#include "report/performancereport.h"
#include "report/reportdocument.h"
#include "report/tirereport.h"
#include "settingsfile/atomicfile.h"
#include "settingsfile/axlesfile.h"
#include "settingsfile/presetsfile.h"
#include "settingsfile/settingsfile.h"
#include "settingsfile/vehiclefile.h"

namespace {

// A settings file's record as the calculator would take it; nothing when it cannot be read or when a field would
// prompt, after telling each problem on standard error as compilers do: "car.kvr:8: Please enter a number.".
std::optional<GearSettings> ReadRecord(const std::string& strPath)
{
    const SettingsFileLines file = strPath == "-" ? ReadSettingsStream(STDIN_FILENO) : ReadSettingsFile(strPath);
    if (file.status != SettingsReadStatus::Read) {
        const std::string strReason =
            file.nErrno != 0 ? SystemReason(file.nErrno) : std::string(SettingsReadMessage(file.status));
        std::fprintf(stderr, "ratiograph: %s: %s\n", strPath.c_str(), strReason.c_str());
        return std::nullopt;
    }
    const SettingsValues values = JudgeSettingsLines(file.lines);
    for (const SettingsProblem& problem : values.problems)
        std::fprintf(stderr, "%s:%d: %s\n", strPath.c_str(), problem.nLine, problem.strPrompt.c_str());
    if (!values.problems.empty())
        return std::nullopt;
    return values.settings;
}

// Checked before anything is read or written: an export must never replace a file it reads. Tells why on standard
// error.
bool ReplacesAnInput(const CommandLine& commandLine, std::initializer_list<std::optional<std::string>> inputs)
{
    if (!commandLine.outputFile)
        return false;
    for (const std::optional<std::string>& input : inputs) {
        if (input && *input != "-" && IsSameFile(*commandLine.outputFile, *input)) {
            std::fprintf(stderr, "ratiograph: %s: is the same file as %s, which the report reads; nothing written\n",
                         commandLine.outputFile->c_str(), input->c_str());
            return true;
        }
    }
    return false;
}

// Writes a report's bytes where the command line sends them: standard output, or the output file whole; the exit
// status.
int Deliver(const CommandLine& commandLine, const std::string& bytes)
{
    if (!commandLine.outputFile)
        return WriteAndClose(stdout, bytes) ? 0 : 1;
    if (bytes.empty()) {
        std::fprintf(stderr, "ratiograph: %s: the report could not be drawn\n", commandLine.outputFile->c_str());
        return 1;
    }
    if (const FileWriteResult written = WriteFileAtomically(*commandLine.outputFile, bytes); !written) {
        std::fprintf(stderr, "ratiograph: %s: %s\n", commandLine.outputFile->c_str(), written.Reason().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int RunReportCommand(const CommandLine& commandLine, const DrawReportFunction& drawReport)
{
    if (ReplacesAnInput(commandLine, {commandLine.settingsFile, commandLine.compareFile}))
        return 1;
    const std::optional<GearSettings> settings = ReadRecord(*commandLine.settingsFile);
    std::optional<GearSettings> setupB;
    if (commandLine.compareFile)
        setupB = ReadRecord(*commandLine.compareFile);
    if (!settings || (commandLine.compareFile && !setupB))
        return 1;

    GearReport report = BuildGearReport(*settings, commandLine.cruise, setupB);
    report.units = commandLine.units;
    // Only a comparison on another tire lists the ratios sold; without the list it still has the restoring one.
    AxleLists axles;
    if (setupB && setupB->m_fTireOD != settings->m_fTireOD) {
        ReadOutcome<AxleLists> read = LoadInstalledAxles();
        if (read.value)
            axles = std::move(*read.value);
        else
            std::fprintf(stderr, "ratiograph: %s\n", read.strError.c_str());
    }
    std::string bytes;
    if (IsDrawnFormat(commandLine.format))
        bytes = drawReport ? drawReport(commandLine.format, report, commandLine.imageSize, axles) : "";
    else
        bytes = FormatTextualReport(commandLine.format, BuildSettingsReport(report, axles)).value_or("");
    return Deliver(commandLine, bytes);
}

int RunTiresCommand(const CommandLine& commandLine)
{
    // A bare diameter is named with its unit; a size as it was typed.
    const auto name = [](const std::string& strTire) {
        return ParseTireSize(strTire) ? strTire : strTire + " in";
    };
    const std::string& strFirst = commandLine.tireSizes.at(0);
    const std::string& strSecond = commandLine.tireSizes.at(1);
    const TireComparison comparison = CompareTires(*ParseTire(strFirst), *ParseTire(strSecond));
    const ReportDocument document = BuildTireReport(comparison, name(strFirst), name(strSecond), commandLine.units);
    return WriteAndClose(stdout, FormatTextualReport(commandLine.format, document).value_or("")) ? 0 : 1;
}

int RunPerformanceCommand(const CommandLine& commandLine, const DrawPerformanceFunction& drawReport)
{
    if (ReplacesAnInput(commandLine, {commandLine.vehicleFile}))
        return 1;
    const std::string& strPath = *commandLine.vehicleFile;
    const ReadOutcome<Vehicle> read = strPath == "-"
                                          ? ParseFileRead(strPath, ReadBoundedStream(STDIN_FILENO), &ParseVehicleFile)
                                          : ReadVehicleFile(strPath);
    std::optional<CPerformanceModel> model;
    if (read.value)
        model = CPerformanceModel::Build(*read.value);
    if (!model) {
        // The reader refuses every vehicle the model cannot be built from, with its reason.
        const std::string strError = read.value ? strPath + ": not a vehicle to analyse" : read.strError;
        std::fprintf(stderr, "ratiograph: %s\n", strError.c_str());
        return 1;
    }
    const PerformanceAnalysis analysis = model->Analyse();
    const ReportDocument document = BuildPerformanceReport(analysis, read.value->strName, commandLine.units);
    std::string bytes;
    if (IsDrawnFormat(commandLine.format))
        bytes = drawReport ? drawReport(commandLine.format, document, *model, analysis, commandLine.units,
                                        commandLine.imageSize)
                           : "";
    else
        bytes = FormatTextualReport(commandLine.format, document).value_or("");
    return Deliver(commandLine, bytes);
}

int RunPresetsCommand(const CommandLine& commandLine)
{
    const LoadedPresets loaded = LoadPresets(DefaultPresetLocations());
    for (const std::string& strMessage : loaded.messages)
        std::fprintf(stderr, "ratiograph: %s\n", strMessage.c_str());
    const std::string text = FormatTextualReport(commandLine.format, BuildPresetsReport(loaded.presets)).value_or("");
    return WriteAndClose(stdout, text) && loaded.messages.empty() ? 0 : 1;
}

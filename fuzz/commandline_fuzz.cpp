// The command line as the kernel hands it over: arguments are the input split at NUL bytes (none for an empty
// input). Whatever they are, parsing ends in one of its actions consistently, and a report mode only with
// everything it needs.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandline.h"
#include "fuzz/fuzzcheck.h"

namespace {

bool Same(const CommandLine& a, const CommandLine& b)
{
    return a.action == b.action && a.settingsFile == b.settingsFile && a.vehicleFile == b.vehicleFile &&
           a.strMessage == b.strMessage && a.format == b.format && a.outputFile == b.outputFile &&
           a.cruise.has_value() == b.cruise.has_value() &&
           (!a.cruise || (a.cruise->value == b.cruise->value && a.cruise->unit == b.cruise->unit)) &&
           a.units == b.units && a.tireSizes == b.tireSizes && a.compareFile == b.compareFile &&
           a.imageSize.nWidth == b.imageSize.nWidth && a.imageSize.nHeight == b.imageSize.nHeight;
}

bool TakesValue(std::string_view name)
{
    return name == "--export" || name == "--format" || name == "--cruise" || name == "--compare" || name == "--size" ||
           name == "--units";
}

// The arguments as GNU programs split them: option names (before "--", without "=value"), the arguments an option
// takes, and operands.
struct SplitArgs
{
    std::vector<std::string> names;
    std::vector<std::string> operands;
    bool bEnded = false; // a "--" ended the options
    bool bValueMissing = false;
};

SplitArgs Split(const std::vector<std::string>& args)
{
    SplitArgs split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (split.bEnded || arg.size() < 2 || arg.front() != '-') {
            split.operands.push_back(arg);
        } else if (arg == "--") {
            split.bEnded = true;
        } else {
            split.names.push_back(arg.substr(0, arg.find('=')));
            if (TakesValue(split.names.back()) && arg.find('=') == std::string::npos) {
                split.bValueMissing = split.bValueMissing || i + 1 == args.size();
                ++i;
            }
        }
    }
    return split;
}

bool Has(const std::vector<std::string>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsImageSize(const ImageSize& size)
{
    return size.nWidth >= kImagePixelsMin && size.nWidth <= kImagePixelsMax && size.nHeight >= kImagePixelsMin &&
           size.nHeight <= kImagePixelsMax;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::vector<std::string> args;
    std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    while (nSize > 0) {
        const std::size_t nEnd = std::min(input.find('\0'), input.size());
        args.emplace_back(input.substr(0, nEnd));
        if (nEnd == input.size())
            break;
        input.remove_prefix(nEnd + 1);
    }

    using Action = CommandLine::Action;
    const CommandLine commandLine = ParseCommandLine(args);
    FuzzCheck(Same(ParseCommandLine(args), commandLine), "parsing is deterministic");
    const SplitArgs split = Split(args);
    const bool bAnyOption = !split.names.empty();
    const bool bReportMode = commandLine.action == Action::Report || commandLine.action == Action::Export;
    if (!bReportMode) {
        FuzzCheck(!commandLine.cruise && !commandLine.compareFile, "a settings report's options only in its modes");
        FuzzCheck(!commandLine.outputFile || commandLine.action == Action::Performance,
                  "an output file only for a report");
    }
    FuzzCheck(!commandLine.vehicleFile || commandLine.action == Action::Performance,
              "a vehicle file only for its performance report");

    switch (commandLine.action) {
    case Action::UsageError:
        FuzzCheck(commandLine.strMessage.starts_with("ratiograph: "), "a usage error names the program");
        FuzzCheck(commandLine.strMessage.find('\n') == std::string::npos, "a usage error is one line");
        FuzzCheck(!commandLine.settingsFile, "a usage error opens no file");
        FuzzCheck(bAnyOption || split.operands.size() > 1, "a usage error has a cause");
        break;
    case Action::ShowHelp:
    case Action::ShowVersion: {
        const char* pszOption = commandLine.action == Action::ShowHelp ? "--help" : "--version";
        FuzzCheck(Has(split.names, pszOption), "--help and --version are options");
        FuzzCheck(!commandLine.settingsFile && commandLine.strMessage.empty(), "help and version open no file");
        break;
    }
    case Action::Run:
        FuzzCheck(!bAnyOption, "a run has no option");
        FuzzCheck(split.operands.size() <= 1, "a run has at most one file");
        FuzzCheck(commandLine.settingsFile ==
                      (split.operands.empty() ? std::nullopt : std::optional(split.operands.front())),
                  "a run opens its one operand");
        FuzzCheck(commandLine.strMessage.empty(), "a run has no message");
        break;
    case Action::Report:
    case Action::Export: {
        const bool bExport = commandLine.action == Action::Export;
        FuzzCheck(Has(split.names, bExport ? "--export" : "--report") &&
                      !Has(split.names, bExport ? "--report" : "--export"),
                  "a report mode is asked for, and only one");
        FuzzCheck(!split.bValueMissing, "every option has its argument");
        FuzzCheck(split.operands.size() == 1 && commandLine.settingsFile == split.operands.front(),
                  "a report reads its one operand");
        FuzzCheck(commandLine.strMessage.empty(), "a report has no message");
        FuzzCheck(bExport || !commandLine.outputFile, "only an export has a file to write");
        if (commandLine.outputFile) {
            FuzzCheck(ReportFormatOfPath(*commandLine.outputFile) == commandLine.format,
                      "an export's format is its file's extension");
        } else {
            FuzzCheck(commandLine.format == ReportFormat::Text || commandLine.format == ReportFormat::Csv ||
                          commandLine.format == ReportFormat::Json,
                      "a report on standard output is text, CSV or JSON");
        }
        FuzzCheck(IsImageSize(commandLine.imageSize), "an image's size is within its limits");
        FuzzCheck(!commandLine.cruise || (std::isfinite(commandLine.cruise->Mph()) && commandLine.cruise->Mph() > 0 &&
                                          commandLine.cruise->Mph() <= 500),
                  "a cruise speed is a speed");
        break;
    }
    case Action::Performance:
        FuzzCheck(Has(split.names, "--performance") && !split.bValueMissing, "a performance report is asked for");
        FuzzCheck(split.operands.size() == 1 && commandLine.vehicleFile == split.operands.front() &&
                      !commandLine.settingsFile,
                  "it reads its one operand as a vehicle");
        FuzzCheck(!commandLine.outputFile || ReportFormatOfPath(*commandLine.outputFile) == commandLine.format,
                  "an export's format is its file's extension");
        break;
    case Action::Presets:
        FuzzCheck(Has(split.names, "--presets") && split.operands.empty() && !commandLine.settingsFile &&
                      !commandLine.outputFile,
                  "the presets list reads no file and writes none");
        break;
    case Action::Tires:
        FuzzCheck(Has(split.names, "--tires") && !split.bValueMissing, "a comparison is asked for");
        FuzzCheck(split.operands.size() == 2 && commandLine.tireSizes == split.operands,
                  "it compares its two operands");
        FuzzCheck(!commandLine.settingsFile && commandLine.strMessage.empty(), "a comparison opens no file");
        break;
    }
    for (const std::string& name : split.names) {
        FuzzCheck(commandLine.action == Action::UsageError || commandLine.action == Action::ShowHelp ||
                      commandLine.action == Action::ShowVersion || TakesValue(name) || name == "--help" ||
                      name == "--version" || name == "--report" || name == "--tires" || name == "--performance" ||
                      name == "--presets",
                  "an unknown option is a usage error, unless help or version came first");
    }
    FuzzCheck(commandLine.action == Action::Run || bAnyOption || split.operands.size() > 1,
              "a command line without options and with one file at most runs");

    // "--" ends options: whatever follows it is a file's name.
    if (commandLine.action == Action::Run && !commandLine.settingsFile && !split.bEnded) {
        std::vector<std::string> ended = args;
        ended.insert(ended.end(), {"--", "--help"});
        const CommandLine endedLine = ParseCommandLine(ended);
        FuzzCheck(endedLine.action == Action::Run && endedLine.settingsFile == "--help", "-- ends options");
    }
    // --report anywhere among the options turns a run into the report of its file.
    if (commandLine.action == Action::Run && commandLine.settingsFile && !split.bEnded) {
        std::vector<std::string> reported = args;
        reported.emplace_back("--report");
        const CommandLine reportLine = ParseCommandLine(reported);
        FuzzCheck(reportLine.action == Action::Report && reportLine.settingsFile == commandLine.settingsFile &&
                      reportLine.format == ReportFormat::Text,
                  "--report reports the file a run would open");
    }
    return 0;
}

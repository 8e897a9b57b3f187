// The command line as the kernel hands it over: arguments are the input split at NUL bytes (none for an empty
// input). Whatever they are, parsing ends in one of its four actions consistently.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandline.h"
#include "fuzz/fuzzcheck.h"

namespace {

bool Same(const CommandLine& a, const CommandLine& b)
{
    return a.action == b.action && a.settingsFile == b.settingsFile && a.strMessage == b.strMessage;
}

bool LooksLikeOption(const std::string& arg)
{
    return arg.size() > 1 && arg.front() == '-';
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

    // Before the first "--", what starts with '-' (except "-" itself) is an option; after it, nothing is.
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    std::vector<std::string> operands;
    std::copy_if(args.begin(), optionsEnd, std::back_inserter(operands),
                 [](const std::string& arg) { return !LooksLikeOption(arg); });
    if (optionsEnd != args.end())
        operands.insert(operands.end(), optionsEnd + 1, args.end());
    const bool bAnyOption = std::any_of(args.begin(), optionsEnd, LooksLikeOption);

    switch (commandLine.action) {
    case Action::UsageError:
        FuzzCheck(commandLine.strMessage.starts_with("ratiograph: "), "a usage error names the program");
        FuzzCheck(commandLine.strMessage.find('\n') == std::string::npos, "a usage error is one line");
        FuzzCheck(!commandLine.settingsFile, "a usage error opens no file");
        FuzzCheck(bAnyOption || operands.size() > 1, "a usage error has a cause");
        break;
    case Action::ShowHelp:
    case Action::ShowVersion: {
        const char* pszOption = commandLine.action == Action::ShowHelp ? "--help" : "--version";
        FuzzCheck(std::find(args.begin(), optionsEnd, pszOption) != optionsEnd, "--help and --version before --");
        FuzzCheck(!commandLine.settingsFile && commandLine.strMessage.empty(), "help and version open no file");
        break;
    }
    case Action::Run:
        FuzzCheck(!bAnyOption, "a run has no option");
        FuzzCheck(operands.size() <= 1, "a run has at most one file");
        FuzzCheck(commandLine.settingsFile == (operands.empty() ? std::nullopt : std::optional(operands.front())),
                  "a run opens its one operand");
        FuzzCheck(commandLine.strMessage.empty(), "a run has no message");
        break;
    }
    FuzzCheck(commandLine.action == Action::Run || bAnyOption || operands.size() > 1,
              "a command line without options and with one file at most runs");

    // "--" ends options: whatever follows it is a file's name.
    if (commandLine.action == Action::Run && !commandLine.settingsFile && optionsEnd == args.end()) {
        std::vector<std::string> ended = args;
        ended.insert(ended.end(), {"--", "--help"});
        const CommandLine endedLine = ParseCommandLine(ended);
        FuzzCheck(endedLine.action == Action::Run && endedLine.settingsFile == "--help", "-- ends options");
    }
    return 0;
}

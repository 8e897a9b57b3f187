#pragma once

// The program's command line: a settings file to open, or --help, --version. Read before anything else, so
// that --help works without a display.

#include <optional>
#include <string>
#include <vector>

struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        UsageError, // strMessage says what was wrong, in one line
    };
    Action action = Action::Run;
    std::optional<std::string> settingsFile;
    std::string strMessage;
};

// args holds the arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

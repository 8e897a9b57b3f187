#pragma once

// The program's command line: a settings file to open, or --help, --version. Read before anything else, so
// that --help works without a display.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
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

// Writes text to a stream that the program's output goes to, closes it and says whether all of it arrived: a
// full disk, a closed pipe or /dev/full must not end a run with success. On a failure writes one line to
// standard error, as GNU programs do ("ratiograph: write error: No space left on device").
bool WriteAndClose(std::FILE* pStream, std::string_view text);

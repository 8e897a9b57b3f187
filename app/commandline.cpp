#include "app/commandline.h"

#include "version.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine commandLine;
    bool bOptionsEnded = false;
    for (const std::string& arg : args) {
        if (!bOptionsEnded && arg == "--") {
            bOptionsEnded = true;
        } else if (!bOptionsEnded && arg == "--help") {
            return {CommandLine::Action::ShowHelp, std::nullopt, {}};
        } else if (!bOptionsEnded && arg == "--version") {
            return {CommandLine::Action::ShowVersion, std::nullopt, {}};
        } else if (!bOptionsEnded && arg.size() > 1 && arg.front() == '-') {
            return {CommandLine::Action::UsageError, std::nullopt,
                    "ratiograph: unrecognized option '" + arg + "' (try 'ratiograph --help')"};
        } else if (commandLine.settingsFile) {
            return {CommandLine::Action::UsageError, std::nullopt,
                    "ratiograph: one settings file at a time (try 'ratiograph --help')"};
        } else {
            commandLine.settingsFile = arg;
        }
    }
    return commandLine;
}

std::string HelpText()
{
    return "Usage: ratiograph [OPTION]... [FILE]\n"
           "Car gearing calculator: the road speed in every gear from the engine RPM, the gear\n"
           "ratios, the rear-end ratio and the rear tire's outside diameter.\n"
           "\n"
           "With FILE, a settings file saved by the calculator (.kvr), the calculator opens\n"
           "with its values loaded.\n"
           "\n"
           "      --help     display this help and exit\n"
           "      --version  output version information and exit\n";
}

std::string VersionText()
{
    return std::string("ratiograph (Corvane Ratiograph) ") + kProductVersion + "\n" + kLegalNotice + "\n";
}

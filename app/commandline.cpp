#include "app/commandline.h"

#include <cerrno>
#include <cstring>

#include "version.h"

namespace {

// An argument as a usage error shows it: a control character (a line end above all) as \xHH, so that the
// message stays one line.
std::string Printable(const std::string& arg)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    for (const char ch : arg) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7f) {
            text += ch;
        } else {
            text += "\\x";
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xf];
        }
    }
    return text;
}

} // namespace

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
                    "ratiograph: unrecognized option '" + Printable(arg) + "' (try 'ratiograph --help')"};
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

bool WriteAndClose(std::FILE* pStream, std::string_view text)
{
    // errno is taken at once: a failed write's reason is gone after the next call that sets it.
    errno = 0;
    bool bArrived = std::ferror(pStream) == 0 && std::fwrite(text.data(), 1, text.size(), pStream) == text.size() &&
                    std::fflush(pStream) == 0;
    int nError = bArrived ? 0 : errno;
    errno = 0;
    if (std::fclose(pStream) != 0 && bArrived) {
        bArrived = false;
        nError = errno;
    }
    if (bArrived)
        return true;
    if (nError != 0)
        std::fprintf(stderr, "ratiograph: write error: %s\n", std::strerror(nError));
    else
        std::fputs("ratiograph: write error\n", stderr);
    return false;
}

#pragma once

// The program's command line: a settings file to open; a report of one on standard output or into a file, with
// no window; a vehicle file's performance report in the same ways; the gearbox presets; or --help, --version. Read
// before anything else, so that --help and the reports work without a display.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/gearreport.h"
#include "report/reportformat.h"

struct CommandLine
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Report,      // settingsFile's report on standard output, in format
        Export,      // settingsFile's report into outputFile, in format (named by its extension); without an
                     // outputFile (--export=-), on standard output: text, CSV or JSON
        Tires,       // the comparison of tireSizes on standard output, in format
        Performance, // vehicleFile's performance report, as Report or, with an outputFile, as Export does
        Presets,     // the gearbox presets, installed and the user's, on standard output, in format
        UsageError,  // strMessage says what was wrong, in one line
    };
    Action action = Action::Run;
    std::optional<std::string> settingsFile; // "-": standard input, for a report
    std::optional<std::string> vehicleFile;  // Performance; "-": standard input
    std::string strMessage;
    // Report and Export; Performance takes format, outputFile, imageSize and units as they do, Tires and Presets
    // format.
    ReportFormat format = ReportFormat::Text; // Report: text, CSV or JSON
    std::optional<std::string> outputFile;
    std::optional<CruiseSpeed> cruise;
    std::optional<std::string> compareFile; // setup B
    // How reports read: MPH and inches first, or km/h and millimetres; a performance report is metric (km/h and N)
    // unless --units=us asks for MPH and lbf.
    Units units = Units::Us;
    std::vector<std::string> tireSizes; // Tires: the tire the speedometer is set for, then the one fitted
    ImageSize imageSize;                // an SVG or PNG export
};

// args holds the arguments after the program's name. Options take their argument as the next argument or after
// '=' (--format=csv), as GNU programs do; "--" ends the options.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// "1200x800": both within kImagePixelsMin and kImagePixelsMax.
std::optional<ImageSize> ParseImageSize(std::string_view text);

std::string HelpText();
std::string VersionText();

// Writes text to a stream that the program's output goes to, closes it and says whether all of it arrived: a
// full disk, a closed pipe or /dev/full must not end a run with success. On a failure writes one line to
// standard error, as GNU programs do ("ratiograph: write error: No space left on device").
bool WriteAndClose(std::FILE* pStream, std::string_view text);

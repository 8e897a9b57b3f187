#include "app/commandline.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "calc/gearreport.h"
#include "calc/tirecompare.h"
#include "numtext/numtext.h"
#include "settingsfile/atomicfile.h"

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

CommandLine UsageError(std::string strMessage)
{
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::UsageError;
    commandLine.strMessage = "ratiograph: " + strMessage + " (try 'ratiograph --help')";
    return commandLine;
}

CommandLine Only(CommandLine::Action action)
{
    CommandLine commandLine;
    commandLine.action = action;
    return commandLine;
}

// The options that take an argument.
constexpr std::string_view kValueOptions[] = {"--export", "--format", "--cruise", "--compare", "--size", "--units"};

bool TakesValue(std::string_view name)
{
    return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions);
}

std::optional<ReportFormat> ParseReportFormat(std::string_view text)
{
    for (const ReportFormat format : {ReportFormat::Text, ReportFormat::Csv, ReportFormat::Json}) {
        if (text == (format == ReportFormat::Text ? "text" : ReportFormatExtension(format)))
            return format;
    }
    return std::nullopt;
}

struct OptionValues
{
    bool bReport = false;
    bool bTires = false;
    bool bPerformance = false;
    bool bPresets = false;
    std::optional<std::string> format, output, cruise, compare, size, units;
    std::string strLastSeparateValue; // the option that took the next argument as its value, last of all
};

// Where --export sends a report: standard output in the format --format names, or a file in the format its
// extension names, which --format must then leave alone (strFormatGoesWith: where it belongs instead); --size is for
// an image. Nothing when that is all right.
std::optional<CommandLine> ResolveOutput(const OptionValues& options, std::string_view strFormatGoesWith,
                                         CommandLine& commandLine)
{
    if (options.output && *options.output != "-") {
        if (options.format)
            return UsageError("--format goes with " + std::string(strFormatGoesWith) +
                              "; --export takes the format from OUT's extension");
        const std::optional<ReportFormat> format = ReportFormatOfPath(*options.output);
        if (!format)
            return UsageError("cannot tell the format of '" + Printable(*options.output) +
                              "' from its extension: .pdf, .csv, .svg, .png, .json or .txt");
        commandLine.format = *format;
        commandLine.outputFile = options.output;
    }
    if (options.size && commandLine.format != ReportFormat::Svg && commandLine.format != ReportFormat::Png)
        return UsageError("--size goes with an SVG or PNG export");
    return std::nullopt;
}

std::optional<CommandLine> ResolveSize(const OptionValues& options, CommandLine& commandLine)
{
    if (!options.size)
        return std::nullopt;
    const std::optional<ImageSize> size = ParseImageSize(*options.size);
    if (!size)
        return UsageError("invalid size '" + Printable(*options.size) + "' for '--size': WIDTHxHEIGHT, each " +
                          std::to_string(kImagePixelsMin) + " to " + std::to_string(kImagePixelsMax) + " pixels");
    commandLine.imageSize = *size;
    return std::nullopt;
}

// "--report needs a settings file", naming the option that took the file's name as its value.
CommandLine NeedsFile(const std::string& strMessage, const OptionValues& options)
{
    if (options.strLastSeparateValue.empty())
        return UsageError(strMessage);
    return UsageError(strMessage + " (" + options.strLastSeparateValue + " took the argument after it as its value)");
}

// --performance and --presets, once --units and --format are read.
CommandLine ResolveVehicleModes(const OptionValues& options, const std::vector<std::string>& operands,
                                CommandLine commandLine)
{
    if (options.bPresets) {
        if (options.bPerformance || options.bReport || options.output || options.cruise || options.compare ||
            options.size || options.units || !operands.empty())
            return UsageError("--presets takes --format only");
        commandLine.action = CommandLine::Action::Presets;
        return commandLine;
    }
    if (options.bReport || options.cruise || options.compare)
        return UsageError("--performance takes a vehicle file, and --format, --export, --size and --units only");
    if (operands.size() > 1)
        return UsageError("one vehicle file at a time");
    commandLine.action = CommandLine::Action::Performance;
    // The analysis is in SI units, as the Performance window shows it unless told otherwise.
    if (!options.units)
        commandLine.units = Units::Metric;
    if (std::optional<CommandLine> error = ResolveSize(options, commandLine))
        return *error;
    if (std::optional<CommandLine> error = ResolveOutput(options, "--performance and --export=-", commandLine))
        return *error;
    if (operands.empty())
        return NeedsFile("--performance needs a vehicle file", options);
    commandLine.vehicleFile = operands.front();
    return commandLine;
}

// What was asked for, once every argument is read: each option's value first, then the modes they go with, then
// the settings file, so that an option that took a file name as its value is the one the message names.
CommandLine Resolve(const OptionValues& options, const std::vector<std::string>& operands)
{
    const bool bExport = options.output.has_value();
    if (options.bReport && bExport)
        return UsageError("--report and --export cannot be used together");
    CommandLine commandLine;
    if (options.units) {
        if (*options.units != "us" && *options.units != "metric")
            return UsageError("invalid argument '" + Printable(*options.units) + "' for '--units': us or metric");
        commandLine.units = *options.units == "metric" ? Units::Metric : Units::Us;
    }
    if (options.format) {
        const std::optional<ReportFormat> format = ParseReportFormat(*options.format);
        if (!format)
            return UsageError("invalid argument '" + Printable(*options.format) +
                              "' for '--format': text, csv or json");
        commandLine.format = *format;
    }
    if (options.bTires) {
        if (options.bReport || bExport || options.cruise || options.compare || options.size || options.bPerformance ||
            options.bPresets)
            return UsageError("--tires takes two tire sizes, and --format and --units only");
        if (operands.size() != 2)
            return UsageError("--tires compares two tire sizes, such as 205/55R16 225/45R17");
        for (const std::string& size : operands) {
            if (!ParseTire(size))
                return UsageError("'" + Printable(size) +
                                  "' is no tire: a size like P225/70R15, 33x12.50R15 or 37-622, or a diameter in "
                                  "inches like 26.4");
        }
        commandLine.action = CommandLine::Action::Tires;
        commandLine.tireSizes = operands;
        return commandLine;
    }
    if (options.bPerformance || options.bPresets)
        return ResolveVehicleModes(options, operands, commandLine);
    if (operands.size() > 1)
        return UsageError("one settings file at a time");
    if (options.cruise) {
        commandLine.cruise = ParseCruiseSpeed(
            *options.cruise, commandLine.units == Units::Metric ? CruiseSpeed::Unit::Kmh : CruiseSpeed::Unit::Mph);
        if (!commandLine.cruise)
            return UsageError("invalid speed '" + Printable(*options.cruise) +
                              "' for '--cruise': above 0 and at most 500 MPH or 800 km/h, such as 70, 70 mph or "
                              "110 km/h");
    }
    if (std::optional<CommandLine> error = ResolveSize(options, commandLine))
        return *error;
    if (!options.bReport && !bExport) {
        if (options.format || options.cruise || options.compare || options.size || options.units)
            return UsageError("--format, --cruise, --compare, --size and --units go with --report or --export");
        if (!operands.empty())
            commandLine.settingsFile = operands.front();
        return commandLine;
    }
    commandLine.action = options.bReport ? CommandLine::Action::Report : CommandLine::Action::Export;
    if (std::optional<CommandLine> error = ResolveOutput(options, "--report and --export=-", commandLine))
        return *error;
    if (operands.empty())
        return NeedsFile(std::string(options.bReport ? "--report" : "--export") + " needs a settings file", options);
    commandLine.settingsFile = operands.front();
    commandLine.compareFile = options.compare;
    if (commandLine.settingsFile == "-" && commandLine.compareFile == "-")
        return UsageError("standard input can be the settings file or setup B, not both");
    return commandLine;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    OptionValues options;
    std::vector<std::string> operands;
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (bOptionsEnded || arg.size() < 2 || arg.front() != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptionsEnded = true;
            continue;
        }
        const std::size_t nEquals = arg.find('=');
        const std::string name = arg.substr(0, nEquals);
        std::optional<std::string> value;
        if (nEquals != std::string::npos)
            value = arg.substr(nEquals + 1);
        if (TakesValue(name)) {
            if (!value) {
                if (i + 1 == args.size())
                    return UsageError("option '" + name + "' requires an argument");
                value = args[++i];
                options.strLastSeparateValue = name;
            }
        } else if (name == "--help" || name == "--version" || name == "--report" || name == "--tires" ||
                   name == "--performance" || name == "--presets") {
            if (value)
                return UsageError("option '" + name + "' doesn't allow an argument");
        } else {
            return UsageError("unrecognized option '" + Printable(arg) + "'");
        }
        if (name == "--help")
            return Only(CommandLine::Action::ShowHelp);
        if (name == "--version")
            return Only(CommandLine::Action::ShowVersion);
        if (name == "--report")
            options.bReport = true;
        else if (name == "--tires")
            options.bTires = true;
        else if (name == "--performance")
            options.bPerformance = true;
        else if (name == "--presets")
            options.bPresets = true;
        else if (name == "--units")
            options.units = value;
        else if (name == "--export")
            options.output = value;
        else if (name == "--format")
            options.format = value;
        else if (name == "--cruise")
            options.cruise = value;
        else if (name == "--compare")
            options.compare = value;
        else
            options.size = value;
    }
    return Resolve(options, operands);
}

std::optional<ImageSize> ParseImageSize(std::string_view text)
{
    const std::size_t nCross = text.find_first_of("xX");
    if (nCross == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = ParseIntText(text.substr(0, nCross));
    const std::optional<int> height = ParseIntText(text.substr(nCross + 1));
    if (!width || !height || !IsImageSizeAllowed(*width, *height))
        return std::nullopt;
    return ImageSize{*width, *height};
}

std::string HelpText()
{
    return "Usage: ratiograph [OPTION]... [FILE]\n"
           "  or:  ratiograph --report [--format=FORMAT] [--cruise=SPEED]\n"
           "                  [--compare=B] [--units=UNITS] FILE\n"
           "  or:  ratiograph --export=OUT [--size=WIDTHxHEIGHT] [--cruise=SPEED]\n"
           "                  [--compare=B] [--units=UNITS] FILE\n"
           "  or:  ratiograph --tires [--format=FORMAT] [--units=UNITS] TIRE TIRE\n"
           "  or:  ratiograph --performance [--format=FORMAT] [--units=UNITS] VEHICLE\n"
           "  or:  ratiograph --performance --export=OUT [--size=WIDTHxHEIGHT]\n"
           "                  [--units=UNITS] VEHICLE\n"
           "  or:  ratiograph --presets [--format=FORMAT]\n"
           "Car gearing calculator: the road speed in every gear from the engine RPM,\n"
           "the gear ratios, the rear-end ratio and the rear tire's outside diameter.\n"
           "\n"
           "With FILE, a settings file saved by the calculator (.kvr), the calculator\n"
           "opens with its values loaded; with a vehicle file (.rgvehicle), the\n"
           "Performance window opens with it beside the calculator. With --report or\n"
           "--export, no window opens and no display is needed: the report of FILE (its\n"
           "ten values, the speeds, km/h, MPH per 1000 RPM and the shift drops of every\n"
           "gear) is written out.\n"
           "With --performance, the performance report of the vehicle file VEHICLE\n"
           "(.rgvehicle, as the Performance window saves it) is, in the same ways.\n"
           "\n"
           "      --report             write the report on standard output\n"
           "      --format=FORMAT      the report's form: text (the default), csv or json\n"
           "      --export=OUT         write the report into the file OUT, in the format\n"
           "                           its extension names: .pdf (the printed page),\n"
           "                           .csv, .json, .txt, or .svg and .png (the chart);\n"
           "                           only a regular file is replaced, never an input\n"
           "      --size=WIDTHxHEIGHT  the chart image's size in pixels (800x600)\n"
           "      --cruise=SPEED       add the engine RPM in every gear at SPEED:\n"
           "                           70, 70 mph or 110 km/h\n"
           "      --compare=B          compare with settings file B: each gear's speed\n"
           "                           against B's, what a speedometer set for B reads,\n"
           "                           B's tire against FILE's and the rear ends that\n"
           "                           give FILE's tire B's gearing\n"
           "      --units=UNITS        us (MPH and inches first, the default) or metric\n"
           "                           (km/h and millimetres first; --cruise in km/h);\n"
           "                           a performance report is in km/h and N unless\n"
           "                           --units=us asks for MPH and lbf\n"
           "      --tires              compare two tires, each a size in any notation or\n"
           "                           a diameter in inches: figures, the difference and\n"
           "                           what a speedometer set for the first shows on\n"
           "                           the second\n"
           "      --performance        write the performance report of VEHICLE: per gear\n"
           "                           the upshift and the top speed; with --export,\n"
           "                           .svg and .png are the wheel force chart\n"
           "      --presets            list the gearbox presets, the installed ones and\n"
           "                           your own (see ratiograph(1), PRESETS FILE)\n"
           "      --help               display this help and exit\n"
           "      --version            output version information and exit\n"
           "\n"
           "Examples:\n"
           "  ratiograph car.kvr                           open car.kvr in the calculator\n"
           "  ratiograph --report --format=csv car.kvr     the table as CSV\n"
           "  ratiograph --report --cruise=70 --compare=old.kvr car.kvr\n"
           "  ratiograph --export=car.pdf car.kvr          the page Print prints\n"
           "  ratiograph --export=chart.png --size=1200x800 car.kvr\n"
           "  ratiograph --tires 205/55R16 225/45R17\n"
           "  ratiograph --performance --format=json car.rgvehicle\n"
           "  ratiograph --performance --export=force.png --size=1200x800 car.rgvehicle\n"
           "\n"
           "Exit status: 0 when done, 1 when a file cannot be read, holds a value the\n"
           "calculator would refuse or cannot be written, or a presets file was left\n"
           "out, 2 for a usage error, 128 plus the signal's number when SIGINT, SIGTERM\n"
           "or SIGHUP ended it.\n";
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
        std::fprintf(stderr, "ratiograph: write error: %s\n", SystemReason(nError).c_str());
    else
        std::fputs("ratiograph: write error\n", stderr);
    return false;
}

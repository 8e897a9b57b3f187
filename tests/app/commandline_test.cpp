#include "app/commandline.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/snapshot.h"

namespace {

// The action, the file, then what a report is made of; a usage error its message, one line.
std::string Describe(const CommandLine& commandLine)
{
    static const char* const kActions[] = {"run",   "help",        "version", "report", "export",
                                           "tires", "performance", "presets", "error"};
    std::string text = kActions[static_cast<int>(commandLine.action)];
    if (commandLine.action == CommandLine::Action::UsageError) {
        EXPECT_EQ(commandLine.strMessage.find('\n'), std::string::npos) << commandLine.strMessage;
        return text + ": " + commandLine.strMessage;
    }
    EXPECT_EQ(commandLine.strMessage, "");
    text += commandLine.settingsFile ? " " + *commandLine.settingsFile : "";
    text += commandLine.vehicleFile ? " vehicle " + *commandLine.vehicleFile : "";
    for (const std::string& size : commandLine.tireSizes)
        text += " " + size;
    text += commandLine.units == Units::Metric ? " metric" : "";
    if (commandLine.action == CommandLine::Action::Tires || commandLine.action == CommandLine::Action::Presets)
        return text + " " + std::string(ReportFormatExtension(commandLine.format));
    if (commandLine.action < CommandLine::Action::Report)
        return text;
    text += " " + std::string(ReportFormatExtension(commandLine.format)) + " " + commandLine.outputFile.value_or("-");
    text += " " + std::to_string(commandLine.imageSize.nWidth) + "x" + std::to_string(commandLine.imageSize.nHeight);
    text += commandLine.cruise ? " " + commandLine.cruise->Text() : "";
    return text + (commandLine.compareFile ? " B " + *commandLine.compareFile : "");
}

// What each line of arguments (split at blanks; a '~' stands for a blank inside one) is taken for, the help and the
// version, as held by the snapshot. An option's argument is the next argument even when it starts with '-'; an option
// that took the file name as its value is the one the message names.
TEST(CommandLine, ParsesHelpsAndReportsOutputErrors)
{
    std::string made;
    for (const char* pszArgs : {"",
                                "car.kvr",
                                "-- -odd.kvr",
                                "-",
                                "--help",
                                "car.kvr --version",
                                "--report car.kvr",
                                "car.kvr --report --format csv",
                                "--report --format=json --cruise 110~km/h --compare=b.kvr a",
                                "--report -",
                                "--export=- --format=csv a",
                                "--export -odd.pdf car.kvr",
                                "--export=a.pdf -- --report",
                                "--export Chart.SVG --size 1200x800 a",
                                "--export c.png --size=16x8000 --cruise=70 a",
                                "--export c.png --size 800X600 a",
                                "--report --units metric --cruise=110 a",
                                "--tires 205/55R16 --units=metric 225/45R17 --format=csv",
                                "--tires 26.4 P235/75R15",
                                "- --performance --units=us --format=json",
                                "--performance --export f.svg --size=16x900 v",
                                "--export=- --performance --format csv v",
                                "--format=json --presets",
                                "--verbose",
                                "--a\r\nb\x7f",
                                "-h",
                                "a.kvr b.kvr",
                                "--report",
                                "--report -- a.kvr b.kvr",
                                "--report --export a.pdf car.kvr",
                                "--format csv car.kvr",
                                "--cruise=70 car.kvr",
                                "--report --format pdf car.kvr",
                                "--report --format car.kvr",
                                "--report --cruise fast car.kvr",
                                "--report car.kvr --compare",
                                "--report --compare car.kvr",
                                "--report=yes car.kvr",
                                "--export a.doc car.kvr",
                                "--export a.pdf --format csv car.kvr",
                                "--export a.pdf --size 1200x800 car.kvr",
                                "--export a.png --size 1200 car.kvr",
                                "--export a.png --size -800x600 car.kvr",
                                "--report --cruise=801kmh a",
                                "--export=- --format=pdf a",
                                "--report --compare=- -",
                                "--report --units=km a",
                                "--units=metric a",
                                "--tires 205/55R16",
                                "--tires 205/55R16 225/45R17 235/40R18",
                                "--tires 205/55R16 wide",
                                "--tires --report 205/55R16 225/45R17",
                                "--tires --cruise=70 205/55R16 225/45R17",
                                "--tires --performance 205/55R16 225/45R17",
                                "--presets a.rgvehicle",
                                "--performance",
                                "--performance --units us",
                                "--performance a b",
                                "--performance --cruise=70 a",
                                "--performance --export a.csv --format csv a",
                                "--performance --size 9x9 --export a.png a"}) {
        std::vector<std::string> args;
        std::istringstream stream(pszArgs);
        for (std::string arg; std::getline(stream, arg, ' ');) {
            std::ranges::replace(arg, '~', ' ');
            args.push_back(arg);
        }
        std::string echo = pszArgs;
        std::ranges::replace_if(
            echo, [](char ch) { return std::iscntrl(static_cast<unsigned char>(ch)); }, '?');
        made += echo + "\n  " + Describe(ParseCommandLine(args)) + "\n";
    }
    for (const char* pszSize : {"15x600", "800x8001", "800x", "x600", "800*600", "-800x600"})
        EXPECT_FALSE(ParseImageSize(pszSize)) << pszSize;
    // The help in lines of at most 79 columns.
    std::istringstream lines(HelpText());
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79U) << line;
    ExpectSnapshot(made + "==== version\n" + VersionText() + "==== help\n" + HelpText(),
                   RATIOGRAPH_COMMANDLINE_SNAPSHOT);
    // Output that did not arrive is an error with its reason, whether it waited in the buffer until closing or not.
    const std::tuple<const char*, std::size_t, const char*> outputs[] = {
        {"/dev/null", 100'000, ""},
        {"/dev/full", 10, "ratiograph: write error: No space left on device\n"},
        {"/dev/full", 100'000, "ratiograph: write error: No space left on device\n"},
    };
    for (const auto& [pszPath, nBytes, pszError] : outputs) {
        std::FILE* pFile = std::fopen(pszPath, "w");
        ASSERT_NE(pFile, nullptr);
        testing::internal::CaptureStderr();
        const bool bArrived = WriteAndClose(pFile, std::string(nBytes, 'x'));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), pszError) << pszPath << " " << nBytes;
        EXPECT_EQ(bArrived, *pszError == '\0');
    }
}

} // namespace

#include "app/commandline.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The action, the file, then what a report is made of; a usage error is "error" once its message is one named line.
std::string Describe(const CommandLine& commandLine)
{
    static const char* const kActions[] = {"run",   "help",        "version", "report", "export",
                                           "tires", "performance", "presets", "error"};
    std::string text = kActions[static_cast<int>(commandLine.action)];
    if (commandLine.action == CommandLine::Action::UsageError) {
        EXPECT_TRUE(commandLine.strMessage.starts_with("ratiograph: ")) << commandLine.strMessage;
        EXPECT_EQ(commandLine.strMessage.find('\n'), std::string::npos) << commandLine.strMessage;
        return text;
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

TEST(CommandLine, ParsesHelpsAndReportsOutputErrors)
{
    // An option's argument is the next argument even when it starts with '-'.
    const std::vector<std::pair<std::vector<std::string>, const char*>> rows = {
        {{}, "run"},
        {{"car.kvr"}, "run car.kvr"},
        {{"--", "-odd.kvr"}, "run -odd.kvr"},
        {{"-"}, "run -"},
        {{"--help"}, "help"},
        {{"car.kvr", "--version"}, "version"},
        {{"--report", "car.kvr"}, "report car.kvr txt - 800x600"},
        {{"car.kvr", "--report", "--format", "csv"}, "report car.kvr csv - 800x600"},
        {{"--report", "--format=json", "--cruise", "110 km/h", "--compare=b.kvr", "a"},
         "report a json - 800x600 110 km/h B b.kvr"},
        {{"--report", "-"}, "report - txt - 800x600"},
        {{"--export=-", "--format=csv", "a"}, "export a csv - 800x600"},
        {{"--export", "-odd.pdf", "car.kvr"}, "export car.kvr pdf -odd.pdf 800x600"},
        {{"--export=a.pdf", "--", "--report"}, "export --report pdf a.pdf 800x600"},
        {{"--export", "Chart.SVG", "--size", "1200x800", "a"}, "export a svg Chart.SVG 1200x800"},
        {{"--export", "c.png", "--size=16x8000", "--cruise=70", "a"}, "export a png c.png 16x8000 70 MPH"},
        {{"--export", "c.png", "--size", "800X600", "a"}, "export a png c.png 800x600"},
        {{"--report", "--units", "metric", "--cruise=110", "a"}, "report a metric txt - 800x600 110 km/h"},
        {{"--tires", "205/55R16", "--units=metric", "225/45R17", "--format=csv"},
         "tires 205/55R16 225/45R17 metric csv"},
        {{"--tires", "26.4", "P235/75R15"}, "tires 26.4 P235/75R15 txt"},
        {{"-", "--performance", "--units=us", "--format=json"}, "performance vehicle - json - 800x600"},
        {{"--performance", "--export", "f.svg", "--size=16x900", "v"}, "performance vehicle v metric svg f.svg 16x900"},
        {{"--export=-", "--performance", "--format", "csv", "v"}, "performance vehicle v metric csv - 800x600"},
        {{"--format=json", "--presets"}, "presets json"},
    };
    for (const auto& [args, pszExpected] : rows)
        EXPECT_EQ(Describe(ParseCommandLine(args)), pszExpected) << testing::PrintToString(args);
    // Each a line of arguments with one blank between them.
    for (const char* pszArgs : {"--verbose",
                                "--a\nb\x7f",
                                "-h",
                                "a.kvr b.kvr",
                                "--report",
                                "--report -- a.kvr b.kvr",
                                "--report --export a.pdf car.kvr",
                                "--format csv car.kvr",
                                "--cruise=70 car.kvr",
                                "--report --format pdf car.kvr",
                                "--report --cruise fast car.kvr",
                                "--report car.kvr --compare",
                                "--report=yes car.kvr",
                                "--export a.doc car.kvr",
                                "--export a.pdf --format csv car.kvr",
                                "--export a.pdf --size 1200x800 car.kvr",
                                "--export a.png --size 1200 car.kvr",
                                "--report --cruise=0 a",
                                "--report --cruise=500.1 a",
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
                                "--performance a b",
                                "--performance --cruise=70 a",
                                "--performance --export a.csv --format csv a",
                                "--performance --size 9x9 --export a.png a"}) {
        std::vector<std::string> args;
        std::istringstream stream(pszArgs);
        for (std::string arg; std::getline(stream, arg, ' ');)
            args.push_back(arg);
        EXPECT_EQ(Describe(ParseCommandLine(args)), "error") << pszArgs;
    }
    // An option that took the file name as its value is the one the message names.
    for (const auto& [args, pszNamed] : std::vector<std::pair<std::vector<std::string>, const char*>>{
             {{"--report", "--format", "car.kvr"}, "'--format'"},
             {{"--report", "--compare", "car.kvr"}, "(--compare took the argument after it"},
             {{"--report", "--cruise=0", "a"},
              "above 0 and at most 500 MPH or 800 km/h, such as 70, 70 mph or 110 km/h"},
             {{"--export", "a.csv", "--format=csv", "a"}, "--format goes with --report and --export=-;"},
             {{"--performance", "--units", "us"}, "vehicle file (--units took the argument after it"}})
        EXPECT_NE(ParseCommandLine(args).strMessage.find(pszNamed), std::string::npos) << pszNamed;
    EXPECT_NE(ParseCommandLine({"--bogus"}).strMessage.find("'--bogus'"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--a\r\nb"}).strMessage.find("'--a\\x0d\\x0ab'"), std::string::npos);
    for (const char* pszSize : {"15x600", "800x8001", "800x", "x600", "800*600", "-800x600"})
        EXPECT_FALSE(ParseImageSize(pszSize)) << pszSize;
    // The help names every option the parser takes, in lines of at most 79 columns, its brackets paired.
    const std::string help = HelpText();
    for (const char* pszOption :
         {"--report", "--format=", "--export=", "--size=", "--cruise=", "--compare=", "--units=", "--tires",
          "--performance", "--presets", "--help", "--version", "Exit status"})
        EXPECT_NE(help.find(pszOption), std::string::npos) << pszOption;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 79U) << line;
    int nSquare = 0, nRound = 0;
    for (std::size_t i = 0; i < help.size(); ++i) {
        nSquare += help[i] == '[' ? 1 : help[i] == ']' ? -1 : 0;
        nRound += help[i] == '(' ? 1 : help[i] == ')' ? -1 : 0;
        ASSERT_TRUE(nSquare >= 0 && nRound >= 0) << help.substr(0, i + 1);
    }
    EXPECT_TRUE(nSquare == 0 && nRound == 0);
    EXPECT_TRUE(VersionText().starts_with("ratiograph (Corvane Ratiograph) ") && VersionText().ends_with("\n"));
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

#include "app/commandline.h"

#include <cstdio>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, Parses)
{
    using Action = CommandLine::Action;
    struct Row
    {
        std::vector<std::string> args;
        Action action;
        std::optional<std::string> file;
    };
    const std::vector<Row> rows = {
        {{}, Action::Run, std::nullopt},
        {{"car.kvr"}, Action::Run, "car.kvr"},
        {{"--", "-odd.kvr"}, Action::Run, "-odd.kvr"},
        {{"-"}, Action::Run, "-"},
        {{"--help"}, Action::ShowHelp, std::nullopt},
        {{"car.kvr", "--version"}, Action::ShowVersion, std::nullopt},
        {{"--verbose"}, Action::UsageError, std::nullopt},
        {{"--a\nb\x7f"}, Action::UsageError, std::nullopt},
        {{"-h"}, Action::UsageError, std::nullopt},
        {{"a.kvr", "b.kvr"}, Action::UsageError, std::nullopt},
        {{"--report", "car.kvr"}, Action::Report, "car.kvr"},
        {{"car.kvr", "--report", "--format", "csv"}, Action::Report, "car.kvr"},
        {{"--export", "-odd.pdf", "car.kvr"}, Action::Export, "car.kvr"}, // an option's argument may start with '-'
        {{"--export=a.pdf", "--", "--report"}, Action::Export, "--report"},
        {{"--report"}, Action::UsageError, std::nullopt},
        {{"--report", "--", "a.kvr", "b.kvr"}, Action::UsageError, std::nullopt},
        {{"--report", "--export", "a.pdf", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--format", "csv", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--cruise=70", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--report", "--format", "pdf", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--report", "--cruise", "fast", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--report", "car.kvr", "--compare"}, Action::UsageError, std::nullopt},
        {{"--report=yes", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--export", "a.doc", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--export", "a.pdf", "--format", "csv", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--export", "a.pdf", "--size", "1200x800", "car.kvr"}, Action::UsageError, std::nullopt},
        {{"--export", "a.png", "--size", "1200", "car.kvr"}, Action::UsageError, std::nullopt},
    };
    for (const Row& row : rows) {
        const CommandLine commandLine = ParseCommandLine(row.args);
        EXPECT_EQ(commandLine.action, row.action) << testing::PrintToString(row.args);
        EXPECT_EQ(commandLine.settingsFile, row.file) << testing::PrintToString(row.args);
        // A usage error is one line that names the program.
        EXPECT_EQ(commandLine.action == Action::UsageError, commandLine.strMessage.starts_with("ratiograph: "));
        EXPECT_EQ(commandLine.strMessage.find('\n'), std::string::npos);
    }
    EXPECT_NE(ParseCommandLine({"--bogus"}).strMessage.find("'--bogus'"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--a\r\nb"}).strMessage.find("'--a\\x0d\\x0ab'"), std::string::npos);
}

TEST(CommandLine, ReportOptions)
{
    const CommandLine report =
        ParseCommandLine({"--report", "--format=json", "--cruise", "110 km/h", "--compare=b.kvr", "a.kvr"});
    EXPECT_EQ(report.format, ReportFormat::Json);
    EXPECT_NEAR(report.cruiseMph.value_or(0), 110 / 1.609344, 1e-9);
    EXPECT_EQ(report.compareFile, "b.kvr");
    EXPECT_EQ(ParseCommandLine({"--report", "a.kvr"}).format, ReportFormat::Text);
    const CommandLine image = ParseCommandLine({"--export", "Chart.SVG", "--size", "1200x800", "a.kvr"});
    EXPECT_EQ(image.format, ReportFormat::Svg);
    EXPECT_EQ(image.outputFile, "Chart.SVG");
    EXPECT_TRUE(image.imageSize.nWidth == 1200 && image.imageSize.nHeight == 800 && !image.cruiseMph);
    const CommandLine plain = ParseCommandLine({"--export", "c.png", "a.kvr"});
    EXPECT_TRUE(plain.imageSize.nWidth == 800 && plain.imageSize.nHeight == 600);

    const std::vector<std::tuple<const char*, int, int>> sizes = {
        {"16x8000", 16, 8000}, {"800X600", 800, 600}, {"15x600", 0, 0},  {"800x8001", 0, 0},
        {"800x", 0, 0},        {"x600", 0, 0},        {"800*600", 0, 0}, {"-800x600", 0, 0},
    };
    for (const auto& [pszText, nWidth, nHeight] : sizes) {
        const std::optional<ImageSize> size = ParseImageSize(pszText);
        EXPECT_EQ(size ? std::pair(size->nWidth, size->nHeight) : std::pair(0, 0), std::pair(nWidth, nHeight))
            << pszText;
    }
}

// Output that did not arrive is an error, told in one line with its reason, for a short text that waits in
// the buffer until closing as for one longer than a buffer.
TEST(CommandLine, OutputErrorsAreReported)
{
    const std::tuple<const char*, std::size_t, const char*> rows[] = {
        {"/dev/null", 100'000, ""},
        {"/dev/full", 10, "ratiograph: write error: No space left on device\n"},
        {"/dev/full", 100'000, "ratiograph: write error: No space left on device\n"},
    };
    for (const auto& [pszPath, nBytes, pszError] : rows) {
        std::FILE* pFile = std::fopen(pszPath, "w");
        ASSERT_NE(pFile, nullptr);
        testing::internal::CaptureStderr();
        const bool bArrived = WriteAndClose(pFile, std::string(nBytes, 'x'));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), pszError) << pszPath << " " << nBytes;
        EXPECT_EQ(bArrived, *pszError == '\0');
    }
}

TEST(CommandLine, HelpAndVersionTexts)
{
    EXPECT_TRUE(HelpText().starts_with("Usage: ratiograph [OPTION]... [FILE]\n"));
    for (const char* pszOption : {"--version", "--report", "--format=FORMAT", "--export=OUT", "--size=WIDTHxHEIGHT",
                                  "--cruise=SPEED", "--compare=B", "  ratiograph --export=car.pdf car.kvr"})
        EXPECT_NE(HelpText().find(pszOption), std::string::npos) << pszOption;
    EXPECT_TRUE(VersionText().starts_with("ratiograph (Corvane Ratiograph) 2.0.0.1\n"));
}

} // namespace

#include "app/commandline.h"

#include <cstdio>
#include <tuple>
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
    EXPECT_NE(HelpText().find("--version"), std::string::npos);
    EXPECT_TRUE(VersionText().starts_with("ratiograph (Corvane Ratiograph) 2.0.0.1\n"));
}

} // namespace

#include "settingsfile/settingsfile.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/files.h"
#include "tests/support/samplerecord.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::array<std::string, 10>;
using Status = SettingsReadStatus;

// The file saved for the sample record, byte for byte: the ten values, then the report, 27 lines.
const std::string kSampleFile = "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1500 \r\n3.53\r\n26.4\r\n"
                                "\r\n\r\n\r\nCorvane Ratiograph Analysis Data:\r\n\r\nSet RPM:  1500\r\n"
                                "Rear-end Gear: 3.53\r\nOutside Diameter of Rear Tire: 26.4\r\n\r\n"
                                "Transmission Gear Ratios and Speeds: \r\nFirst     2.7 12.4\r\n"
                                "Second      2 16.6\r\nThird     1.3 25.5\r\nFourth      1 33.2\r\n"
                                "Fifth    0.75 44.2\r\nSixth       0 N/A\r\nReverse   2.9 -11.4\r\n";

// Whatever follows the last CR LF is the last element: LF line ends split wrongly.
std::vector<std::string> SplitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2))
        lines.emplace_back(text.substr(0, end));
    lines.emplace_back(text);
    return lines;
}

// Everything below a directory, so a temporary file left by a save shows up wherever it is.
std::set<fs::path> EntriesBelow(const std::string& strDir)
{
    const fs::recursive_directory_iterator entries(strDir);
    return {fs::begin(entries), fs::end(entries)};
}

// A fresh directory per test; TearDown undoes what a test changed for the process, last change first.
class SettingsFileIo : public testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_strDir.empty()); }
    void TearDown() override
    {
        std::for_each(m_undo.rbegin(), m_undo.rend(), [](const auto& undo) { undo(); });
    }

    CScratchDir m_dir;
    const std::string m_strDir = m_dir.Path();
    const std::string m_strFile = m_strDir + "/settings.kvr";
    std::vector<std::function<void()>> m_undo;
};

// Line ends at chunk edges, the tenth around the budget's last byte (63 of 64); a file read whole reads as it parses.
TEST_F(SettingsFileIo, FormatsParsesAndReadsUpToTheBudgetOnlyRegularFiles)
{
    const std::string nine = "1\n2\n3\n4\n5\n6\n7\n8\n9\n"; // 18 bytes
    const std::tuple<const char*, std::string, SettingsReadLimits, Status> rows[] = {
        {"CR ends a chunk, LF starts the next", "1234567\r\n" + nine.substr(2) + "10\r\n", {8, 64}, Status::Read},
        {"a line over three chunks", std::string(20, 'x') + nine.substr(1) + "10\n", {8, 64}, Status::Read},
        {"the ninth line end ends a chunk", nine + "10\r\nreport\r\n", {18, 64}, Status::Read},
        {"the tenth line end at 63", nine + std::string(45, 't') + "\nreport", {7, 64}, Status::Read},
        {"the tenth line end at 64", nine + std::string(46, 't') + "\nreport", {7, 64}, Status::TooLong},
        {"the file ends with the budget", nine + std::string(46, 't'), {7, 64}, Status::Read},
        {"the file ends one byte later", nine + std::string(47, 't'), {7, 64}, Status::TooLong},
        {"no line end after the tenth line", nine + "1", {7, 20}, Status::Read},
        {"nine lines", nine, {7, 20}, Status::TooShort},
        {"a first line longer than a chunk", std::string(1'000'000, '7') + kSampleFile.substr(4), {}, Status::Read},
    };
    for (const auto& [pszName, fileBytes, limits, status] : rows) {
        ASSERT_TRUE(WriteBytes(m_strFile, fileBytes));
        const SettingsFileLines read = ReadSettingsFile(m_strFile, limits);
        EXPECT_EQ(read.status, status) << pszName;
        EXPECT_TRUE(read.lines == (status == Status::Read ? ParseSettingsLines(fileBytes).lines : Lines{})) << pszName;
    }
    // Only a regular file is read, and nothing waits (a FIFO without a writer, an endless device); names of one file.
    const std::string strFifo = m_strDir + "/fifo.kvr";
    ASSERT_EQ(mkfifo(strFifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, Status>> paths = {{m_strDir + "/missing.kvr", Status::CannotOpen},
                                                               {m_strDir, Status::CannotOpen},
                                                               {strFifo, Status::NotRegular},
                                                               {"/dev/zero", Status::NotRegular}};
    for (const auto& [strPath, status] : paths)
        EXPECT_EQ(ReadSettingsFile(strPath).status, status) << strPath;
    // Links followed, hard links too; a name of nothing is no file's.
    ASSERT_TRUE(WriteBytes(m_strFile, "a") && WriteBytes(m_strDir + "/other.kvr", "a"));
    fs::create_hard_link(m_strFile, m_strDir + "/hard.kvr");
    fs::create_symlink("settings.kvr", m_strDir + "/soft.kvr");
    const std::pair<const char*, bool> names[] = {{"/settings.kvr", true}, {"/hard.kvr", true},
                                                  {"/soft.kvr", true},     {"/./settings.kvr", true},
                                                  {"/other.kvr", false},   {"/none.kvr", false}};
    for (const auto& [pszOther, bSame] : names)
        EXPECT_EQ(IsSameFile(m_strFile, m_strDir + pszOther), bSame) << pszOther;
    // One value changed: only its value line (as kSettingsFileOrder numbers it) and its report line differ.
    const std::tuple<std::size_t, float, const char*, std::size_t, const char*> values[] = {
        {7, 1500.0F, "1500 ", 15, "Set RPM:  1500"}, // the sample itself
        {7, 0.0F, "0    ", 15, "Set RPM:     0"},         {7, 123456.0F, "123456", 15, "Set RPM: 123456"},
        {7, INFINITY, "inf  ", 15, "Set RPM:   inf"},     {7, -0.0F, "0    ", 15, "Set RPM:     0"},
        {0, 1e-5F, "1e-005", 20, "First    1e-005 12.4"}, {1, 1234567.0F, "1.23457e+006", 21, "Second   1.2e+006 16.6"},
        {2, 1.25F, "1.25", 22, "Third     1.2 25.5"},     {3, 0.625F, "0.625", 23, "Fourth   0.62 33.2"},
        {4, 123.0F, "123", 24, "Fifth    1.2e+002 44.2"}, {5, 0.875F, "0.875", 25, "Sixth    0.88 N/A"},
        {6, 3.25F, "3.25", 26, "Reverse   3.2 -11.4"}};
    for (const auto& [nValueLine, fValue, pszValueLine, nReportLine, pszReportLine] : values) {
        GearSettings settings = SampleSettings();
        settings[kSettingsFileOrder[nValueLine]] = fValue;
        std::vector<std::string> expected = SplitCrLf(kSampleFile);
        expected[nValueLine] = pszValueLine;
        expected[nReportLine] = pszReportLine;
        EXPECT_EQ(SplitCrLf(FormatSettingsFile(settings, SampleSpeeds())), expected) << fValue;
    }
    // The first ten lines, or nothing when the file has fewer (TooShort).
    using namespace std::string_literals;
    const std::tuple<const char*, std::string, std::optional<Lines>> files[] = {
        {"CR LF", kSampleFile, Lines{"2.68", "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"}},
        {"LF, a CR not just before it stays, no line end after the tenth line",
         "1\r\r\n2\r3\n3\n4\n5\n6\n7\n8\n9\n10\r", Lines{"1\r", "2\r3", "3", "4", "5", "6", "7", "8", "9", "10\r"}},
        {"NUL ends a line's text", "2.\0junk\r\n\0junk\r\n3\n4\n5\n6\n7\n8\n9\n10\0"s,
         Lines{"2.", "", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"ten empty lines", std::string(10, '\n'), Lines{}},
        {"nine lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", std::nullopt},
    };
    for (const auto& [pszName, fileBytes, lines] : files) {
        const SettingsFileLines parsed = ParseSettingsLines(fileBytes);
        EXPECT_EQ(parsed.status, lines ? SettingsReadStatus::Read : SettingsReadStatus::TooShort) << pszName;
        EXPECT_EQ(parsed.lines, lines.value_or(Lines{})) << pszName;
    }
}

// What a file descriptor count says: a failed write must not leak one.
std::size_t OpenDescriptors()
{
    const fs::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(fs::begin(fds), fs::end(fds)));
}

TEST_F(SettingsFileIo, SavesKeepModeAndLinksSurviveSignalsAndSayWhyTheyFail)
{
    // A signal while the temporary file exists removes it and ends the program; one the program ignores lets it finish.
    ASSERT_TRUE(WriteBytes(m_strFile, "old"));
    const std::vector<std::tuple<int, bool, std::string>> signals = {
        {SIGINT, false, "old"}, {SIGTERM, false, "old"}, {SIGHUP, false, "old"}, {SIGHUP, true, kSampleFile}};
    for (const auto& [nSignal, bIgnored, bytesAfter] : signals) {
        SCOPED_TRACE(strsignal(nSignal));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (bIgnored)
                std::signal(nSignal, SIG_IGN);
            SetTemporaryFileObserverForTesting([nSignal](const std::string&) { std::raise(nSignal); });
            _exit(SaveSettingsFile(m_strFile, SampleSettings(), SampleSpeeds()) ? 0 : 1);
        }
        int nStatus = 0;
        ASSERT_EQ(waitpid(child, &nStatus, 0), child);
        EXPECT_EQ(WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : -WEXITSTATUS(nStatus), bIgnored ? 0 : nSignal);
        EXPECT_EQ(EntriesBelow(m_strDir).size(), 1U);
        EXPECT_EQ(ReadBytes(m_strFile), bytesAfter);
    }
    // A save replaces a file whole, keeps its mode (new: 0666 less the umask), writes through any link and keeps it.
    const mode_t oldMask = umask(027);
    m_undo.push_back([oldMask] { umask(oldMask); });
    constexpr fs::perms kOld = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    constexpr fs::perms kNew = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    ASSERT_TRUE(WriteBytes(m_strDir + "/old\xff.kvr", std::string(100'000, 'x')));
    fs::permissions(m_strDir + "/old\xff.kvr", kOld);
    fs::create_symlink("old\xff.kvr", m_strDir + "/link.kvr");
    fs::create_symlink("later.kvr", m_strDir + "/dangling.kvr");
    fs::create_directory(m_strDir + "/sub");
    fs::create_symlink(m_strDir + "/sub/far.kvr", m_strDir + "/absolute.kvr");
    fs::create_symlink("../link.kvr", m_strDir + "/sub/chain.kvr");
    const std::tuple<const char*, const char*, fs::perms> rows[] = {
        {"old\xff.kvr", "old\xff.kvr", kOld},  {"new.kvr", "new.kvr", kNew},
        {"link.kvr", "old\xff.kvr", kOld},     {"dangling.kvr", "later.kvr", kNew},
        {"absolute.kvr", "sub/far.kvr", kNew}, {"sub/chain.kvr", "old\xff.kvr", kOld}};
    for (const auto& [pszSaved, pszWritten, perms] : rows) {
        const std::string strWritten = m_strDir + "/" + pszWritten;
        ASSERT_TRUE(SaveSettingsFile(m_strDir + "/" + pszSaved, SampleSettings(), SampleSpeeds())) << pszSaved;
        EXPECT_EQ(ReadBytes(strWritten), kSampleFile) << pszSaved;
        EXPECT_EQ(fs::symlink_status(strWritten).permissions(), perms) << pszSaved;
    }
    for (const char* pszLink : {"link.kvr", "dangling.kvr", "absolute.kvr", "sub/chain.kvr"})
        EXPECT_TRUE(fs::is_symlink(m_strDir + "/" + pszLink)) << pszLink;
    EXPECT_EQ(EntriesBelow(m_strDir).size(), 10U);
    // A save that fails says why, leaves the target as it was, and no temporary file and no open descriptor.
    const std::string kNotRegular = "Not a regular file; a device, a FIFO or a socket is left as it is";
    const std::pair<std::string, std::string> causes[] = {
        {"ParentIsAFile", "Not a directory"},
        {"TargetIsADirectory", "Is a directory"},
        {"Fifo", kNotRegular},
        {"LinkToFifo", kNotRegular},
        {"Socket", kNotRegular},
        {"Device", kNotRegular},
        {"LinkToDevice", kNotRegular},
        {"FileSizeLimit", "File too large"}}; // last, as the limit stays until TearDown
    for (const auto& [cause, strReason] : causes) {
        SCOPED_TRACE(cause);
        if (cause.ends_with("Device") && geteuid() != 0)
            continue; // making a device node needs root
        const std::string strSub = m_strDir + "/" + cause;
        std::string strTarget = strSub + "/settings.kvr";
        std::string oldBytes;
        ASSERT_TRUE(cause == "ParentIsAFile" ? WriteBytes(strSub, "not a directory") : fs::create_directory(strSub));
        if (cause == "TargetIsADirectory") {
            ASSERT_TRUE(fs::create_directories(strTarget) && WriteBytes(strTarget + "/inside.txt", "kept"));
        } else if (cause.ends_with("Fifo")) {
            ASSERT_EQ(mkfifo(strTarget.c_str(), 0600), 0);
        } else if (cause.ends_with("Device")) {
            ASSERT_EQ(mknod(strTarget.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0); // as /dev/null
        } else if (cause == "Socket") {
            const int nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            strTarget.copy(address.sun_path, sizeof address.sun_path - 1);
            ASSERT_EQ(bind(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
            close(nSocket);
        } else if (cause == "FileSizeLimit") {
            // With SIGXFSZ ignored, as the program does, a write past the limit fails (EFBIG) as on a full disk.
            ASSERT_TRUE(WriteBytes(strTarget, oldBytes = "old\r\n"));
            rlimit oldLimit = {};
            ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
            const auto oldDisposition = std::signal(SIGXFSZ, SIG_IGN);
            m_undo.push_back([oldDisposition] { std::signal(SIGXFSZ, oldDisposition); });
            const rlimit limit = {100, oldLimit.rlim_max};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
            m_undo.push_back([oldLimit] { setrlimit(RLIMIT_FSIZE, &oldLimit); });
        }
        if (cause.starts_with("LinkTo")) {
            fs::create_symlink("settings.kvr", strSub + "/link.kvr");
            strTarget = strSub + "/link.kvr";
        }
        const fs::file_type typeBefore = fs::status(strTarget).type();
        const std::set<fs::path> entriesBefore = EntriesBelow(m_strDir);
        const std::size_t nDescriptors = OpenDescriptors();
        const FileWriteResult result = SaveSettingsFile(strTarget, SampleSettings(), SampleSpeeds());
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Reason(), strReason);
        EXPECT_EQ(OpenDescriptors(), nDescriptors);
        EXPECT_EQ(EntriesBelow(m_strDir), entriesBefore);
        EXPECT_EQ(fs::status(strTarget).type(), typeBefore);
        EXPECT_EQ(ReadBytes(strTarget), oldBytes); // empty for what is no regular file
    }
}

} // namespace

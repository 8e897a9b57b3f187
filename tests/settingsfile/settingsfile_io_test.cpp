#include "settingsfile/settingsfile.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <future>
#include <set>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "settingsfile/atomicfile.h"
#include "tests/support/files.h"
#include "tests/support/samplerecord.h"

namespace {

namespace fs = std::filesystem;
using Status = SettingsReadStatus;

// Everything below a directory, so a temporary file left by a save shows up wherever it is.
std::set<fs::path> EntriesBelow(const std::string& strDir)
{
    const fs::recursive_directory_iterator entries(strDir);
    return {fs::begin(entries), fs::end(entries)};
}

// A fresh directory per test, removed afterwards; TearDown first undoes what a test changed outside it, last
// change first.
class SettingsFileIo : public testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_strDir.empty()); }
    void TearDown() override
    {
        for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo)
            (*undo)();
    }

    CScratchDir m_dir;
    const std::string m_strDir = m_dir.Path();
    const std::string m_sampleFile = FormatSettingsFile(SampleSettings(), SampleSpeeds());
    std::vector<std::function<void()>> m_undo;
};

// A first line far longer than one read of the file, then a file that ends before the tenth line.
TEST_F(SettingsFileIo, ReadsLongLineAndShortFile)
{
    const std::string strPath = m_strDir + "/settings.txt";
    const std::string longLine(1'000'000, '7');
    ASSERT_TRUE(WriteBytes(strPath, longLine + m_sampleFile.substr(4) + std::string(300'000, 'x')));
    const SettingsFileLines read = ReadSettingsFile(strPath);
    EXPECT_EQ(read.status, Status::Read);
    const std::array<std::string, 10> expected{longLine, "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"};
    EXPECT_TRUE(read.lines == expected) << "the first line has " << read.lines[0].size() << " bytes";

    ASSERT_TRUE(WriteBytes(strPath, "1\n2\n3\n4\n5\n6\n7\n8\n9\n"));
    EXPECT_EQ(ReadSettingsFile(strPath).status, Status::TooShort);
}

// Small chunks and a small budget put line ends where one read stops and the next begins, and the tenth line
// end around the budget's last byte (index 63). A file read whole reads as its bytes parse.
TEST_F(SettingsFileIo, ReadsAcrossChunksUpToTheBudget)
{
    const std::string nine = "1\n2\n3\n4\n5\n6\n7\n8\n9\n"; // 18 bytes
    const std::string tail = "\r\nreport line\r\n";
    const std::tuple<const char*, std::string, SettingsReadLimits, Status> rows[] = {
        {"CR ends a chunk, its LF starts the next",
         "1234567\r\n" + nine.substr(2) + "10" + tail,
         {8, 64},
         Status::Read},
        {"a line over three chunks", std::string(20, 'x') + "\n" + nine.substr(2) + "10" + tail, {8, 64}, Status::Read},
        {"the ninth line end is a chunk's last byte", nine + "10" + tail, {18, 64}, Status::Read},
        {"the tenth line end one byte inside the budget",
         nine + std::string(44, 't') + tail.substr(1),
         {7, 64},
         Status::Read},
        {"the tenth line end the budget's last byte",
         nine + std::string(45, 't') + tail.substr(1),
         {7, 64},
         Status::Read},
        {"the tenth line end one byte past the budget",
         nine + std::string(46, 't') + tail.substr(1),
         {7, 64},
         Status::TooLong},
        {"the file ends with the budget", nine + std::string(46, 't'), {7, 64}, Status::Read},
        {"the file ends one byte past the budget", nine + std::string(47, 't'), {7, 64}, Status::TooLong},
        {"a last line without a line end", nine + nine.substr(0, 1), {7, 20}, Status::Read},
        {"nine lines within the budget", nine, {7, 20}, Status::TooShort},
    };
    const std::string strPath = m_strDir + "/settings.txt";
    for (const auto& [pszName, fileBytes, limits, status] : rows) {
        ASSERT_TRUE(WriteBytes(strPath, fileBytes));
        const SettingsFileLines read = ReadSettingsFile(strPath, limits);
        EXPECT_EQ(read.status, status) << pszName;
        EXPECT_EQ(read.lines, status == Status::Read ? ParseSettingsLines(fileBytes).lines : decltype(read.lines){})
            << pszName;
    }
}

// Nothing but a regular file is read, and refusing takes no time: a FIFO without a writer, an endless device.
TEST_F(SettingsFileIo, ReadsOnlyRegularFiles)
{
    const std::string strFifo = m_strDir + "/fifo.kvr";
    const std::string strSocket = m_strDir + "/socket.kvr";
    ASSERT_EQ(mkfifo(strFifo.c_str(), 0600), 0);
    const int nSocket = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    strSocket.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    m_undo.push_back([nSocket] { close(nSocket); });

    const std::string strLocked = m_strDir + "/locked.kvr";
    ASSERT_TRUE(WriteBytes(strLocked, m_sampleFile));
    fs::permissions(strLocked, fs::perms::none);
    std::vector<std::pair<std::string, Status>> rows = {
        {m_strDir + "/missing.kvr", Status::CannotOpen},
        {m_strDir, Status::CannotOpen},
        {strFifo, Status::NotRegular},
        {strSocket, Status::NotRegular},
        {"/dev/zero", Status::NotRegular},
    };
    if (access(strLocked.c_str(), R_OK) != 0) // permissions do not stop root
        rows.emplace_back(strLocked, Status::CannotOpen);
    for (const auto& row : rows) {
        auto reading = std::async(std::launch::async, [&row] { return ReadSettingsFile(row.first).status; });
        if (reading.wait_for(std::chrono::seconds(2)) == std::future_status::timeout) {
            ADD_FAILURE() << row.first << " is still being read after 2 s";
            close(open(strFifo.c_str(), O_WRONLY | O_NONBLOCK)); // a writer for a moment ends the wait
        }
        EXPECT_EQ(reading.get(), row.second) << row.first;
    }
}

// Replaces a longer file whole and leaves nothing else behind; the name is bytes, not UTF-8, and the file
// saved under it loads.
TEST_F(SettingsFileIo, SaveWritesTheFormattedFile)
{
    const std::string strPath = m_strDir + "/bad\xff.kvr";
    ASSERT_TRUE(WriteBytes(strPath, std::string(100'000, 'x')));
    ASSERT_TRUE(SaveSettingsFile(strPath, SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(ReadBytes(strPath), m_sampleFile);
    EXPECT_EQ(EntriesBelow(m_strDir), std::set<fs::path>{strPath});
    EXPECT_EQ(ReadSettingsFile(strPath).lines, ParseSettingsLines(m_sampleFile).lines);
}

// A replaced file keeps its mode, a new one gets 0666 less the umask; saving through a link replaces the file
// it names, existing or not, and keeps the link.
TEST_F(SettingsFileIo, SaveKeepsModeAndLinks)
{
    const mode_t oldMask = umask(027);
    m_undo.push_back([oldMask] { umask(oldMask); });
    const std::string strOld = m_strDir + "/old.kvr";
    ASSERT_TRUE(WriteBytes(strOld, "old"));
    fs::permissions(strOld, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    fs::create_symlink("old.kvr", m_strDir + "/link.kvr");
    fs::create_symlink("later.kvr", m_strDir + "/dangling.kvr");
    const std::tuple<const char*, const char*, fs::perms> rows[] = {
        {"old.kvr", "old.kvr", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read},
        {"new.kvr", "new.kvr", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read},
        {"link.kvr", "old.kvr", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read},
        {"dangling.kvr", "later.kvr", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read},
    };
    for (const auto& [pszSaved, pszWritten, perms] : rows) {
        const std::string strWritten = m_strDir + "/" + pszWritten;
        ASSERT_TRUE(WriteFileAtomically(m_strDir + "/" + pszSaved, pszSaved)) << pszSaved;
        EXPECT_EQ(ReadBytes(strWritten), pszSaved);
        EXPECT_EQ(fs::symlink_status(strWritten).permissions(), perms) << pszSaved;
    }
    EXPECT_TRUE(fs::is_symlink(m_strDir + "/link.kvr") && fs::is_symlink(m_strDir + "/dangling.kvr"));
    EXPECT_EQ(EntriesBelow(m_strDir).size(), 5U);
}

class FailedSave : public SettingsFileIo, public testing::WithParamInterface<std::string>
{};

// A save that fails leaves an old file byte for byte as it was, and no temporary file.
TEST_P(FailedSave, LeavesEverythingAsItWas)
{
    const std::string strSub = m_strDir + "/" + GetParam(); // the target's directory, named after the cause
    const std::string strTarget = strSub + "/settings.txt";
    std::string oldBytes;
    const auto placeOldFile = [&] {
        return WriteBytes(strTarget, oldBytes = "the old file\r\n");
    };
    if (GetParam() == "ParentIsAFile") {
        ASSERT_TRUE(WriteBytes(strSub, "not a directory"));
    } else if (GetParam() == "TargetIsADirectory") {
        ASSERT_TRUE(fs::create_directories(strTarget) && WriteBytes(strTarget + "/inside.txt", "kept"));
    } else if (GetParam() == "ReadOnlyDirectory") {
        ASSERT_TRUE(fs::create_directory(strSub) && placeOldFile());
        fs::permissions(strSub, fs::perms::owner_read | fs::perms::owner_exec);
        m_undo.push_back([strSub] { fs::permissions(strSub, fs::perms::owner_all); });
        if (access(strSub.c_str(), W_OK) == 0)
            GTEST_SKIP() << "directory permissions do not stop this user (root) from writing";
    } else if (GetParam() == "FullDisk") {
        ASSERT_TRUE(fs::create_directory(strSub));
        if (mount("tmpfs", strSub.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
        m_undo.push_back([strSub] { umount2(strSub.c_str(), MNT_DETACH); });
        ASSERT_TRUE(placeOldFile());
        ASSERT_FALSE(WriteBytes(strSub + "/filler", std::string(1 << 17, 'f'))) << "the disk did not fill up";
    } else if (GetParam() == "FileSizeLimit") {
        // The kernel refuses to grow a file past the limit, as a quota would; with SIGXFSZ ignored, as the
        // program does, the write fails (EFBIG) instead of ending the process.
        ASSERT_TRUE(fs::create_directory(strSub) && placeOldFile());
        rlimit oldLimit = {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        const rlimit limit = {100, oldLimit.rlim_max};
        const auto oldDisposition = std::signal(SIGXFSZ, SIG_IGN);
        m_undo.push_back([oldDisposition] { std::signal(SIGXFSZ, oldDisposition); });
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        m_undo.push_back([oldLimit] { setrlimit(RLIMIT_FSIZE, &oldLimit); });
    }
    const std::set<fs::path> entriesBefore = EntriesBelow(m_strDir);
    EXPECT_FALSE(SaveSettingsFile(strTarget, SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(EntriesBelow(m_strDir), entriesBefore);
    EXPECT_EQ(ReadBytes(strTarget), oldBytes);
}

INSTANTIATE_TEST_SUITE_P(Causes, FailedSave,
                         testing::Values("ParentIsAFile", "TargetIsADirectory", "ReadOnlyDirectory", "FullDisk",
                                         "FileSizeLimit"),
                         [](const auto& info) { return info.param; });

} // namespace

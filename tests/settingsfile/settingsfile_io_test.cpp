#include "settingsfile/settingsfile.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include "tests/support/files.h"
#include "tests/support/samplerecord.h"

namespace {

namespace fs = std::filesystem;

// Everything below a directory, so a temporary file left by a save shows up wherever it is.
std::set<fs::path> EntriesBelow(const std::string& strDir)
{
    const fs::recursive_directory_iterator entries(strDir);
    return {fs::begin(entries), fs::end(entries)};
}

// A fresh directory per test, removed afterwards; TearDown first undoes what a test changed outside it.
class SettingsFileIo : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override
    {
        if (m_undo)
            m_undo();
    }

    QTemporaryDir m_dir;
    const std::string m_strDir = m_dir.path().toStdString();
    const std::string m_sampleFile = FormatSettingsFile(SampleSettings(), SampleSpeeds());
    std::function<void()> m_undo;
};

// A first line far longer than one read of the file, then a file that ends before the tenth line.
TEST_F(SettingsFileIo, ReadsLongLineAndShortFile)
{
    const std::string strPath = m_strDir + "/settings.txt";
    const std::string longLine(1'000'000, '7');
    ASSERT_TRUE(WriteBytes(strPath, longLine + m_sampleFile.substr(4) + std::string(300'000, 'x')));
    const SettingsFileLines read = ReadSettingsFile(strPath);
    EXPECT_EQ(read.status, SettingsReadStatus::Read);
    const std::array<std::string, 10> expected{longLine, "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"};
    EXPECT_TRUE(read.lines == expected) << "the first line has " << read.lines[0].size() << " bytes";

    ASSERT_TRUE(WriteBytes(strPath, "1\n2\n3\n4\n5\n6\n7\n8\n9\n"));
    EXPECT_EQ(ReadSettingsFile(strPath).status, SettingsReadStatus::TooShort);
}

TEST_F(SettingsFileIo, CannotOpen)
{
    const std::string strLocked = m_strDir + "/locked.txt";
    ASSERT_TRUE(WriteBytes(strLocked, m_sampleFile));
    fs::permissions(strLocked, fs::perms::none);
    for (const std::string& strPath : {m_strDir + "/missing.txt", m_strDir, strLocked}) {
        if (strPath == strLocked && access(strLocked.c_str(), R_OK) == 0)
            GTEST_SKIP() << "file permissions do not stop this user (root) from reading";
        EXPECT_EQ(ReadSettingsFile(strPath).status, SettingsReadStatus::CannotOpen) << strPath;
    }
}

// Replaces a longer file whole, leaves nothing else behind, and takes the name as UTF-8.
TEST_F(SettingsFileIo, SaveWritesTheFormattedFile)
{
    const std::string strPath = m_strDir + "/Gänge 変速.txt";
    ASSERT_TRUE(WriteBytes(strPath, std::string(100'000, 'x')));
    ASSERT_TRUE(SaveSettingsFile(strPath, SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(ReadBytes(strPath), m_sampleFile);
    EXPECT_EQ(EntriesBelow(m_strDir), std::set<fs::path>{strPath});
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
        m_undo = [strSub] {
            fs::permissions(strSub, fs::perms::owner_all);
        };
        if (access(strSub.c_str(), W_OK) == 0)
            GTEST_SKIP() << "directory permissions do not stop this user (root) from writing";
    } else if (GetParam() == "FullDisk") {
        ASSERT_TRUE(fs::create_directory(strSub));
        if (mount("tmpfs", strSub.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
        m_undo = [strSub] {
            umount2(strSub.c_str(), MNT_DETACH);
        };
        ASSERT_TRUE(placeOldFile());
        ASSERT_FALSE(WriteBytes(strSub + "/filler", std::string(1 << 17, 'f'))) << "the disk did not fill up";
    } else if (GetParam() == "FileSizeLimit") {
        // The kernel refuses to grow a file past the limit, as a quota would; with SIGXFSZ ignored the write
        // fails (EFBIG) instead of ending the process.
        ASSERT_TRUE(fs::create_directory(strSub) && placeOldFile());
        rlimit oldLimit = {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        const rlimit limit = {100, oldLimit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        m_undo = [oldLimit] {
            setrlimit(RLIMIT_FSIZE, &oldLimit);
        };
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
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

#include "settingsfile/settingsfile.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "testfiles.h"

namespace {

// Everything below a directory, so a temporary file left by a failed save shows up wherever it is.
QStringList EntriesBelow(const QString& strDir)
{
    QStringList entries;
    QDirIterator it(strDir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(strDir).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

std::string OldFileBytes()
{
    GearSettings settings;
    settings.m_fRpm = 3000.0F;
    return FormatSettingsFile(settings, BuildSpeedTable(settings));
}

TEST(SaveSettingsFile, WritesTheFormattedFile)
{
    QTemporaryDir tempDir;
    ASSERT_TRUE(tempDir.isValid());
    const QString strPath = tempDir.filePath(QStringLiteral("sample.txt"));
    ASSERT_TRUE(SaveSettingsFile(strPath.toStdString(), SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(EntriesBelow(tempDir.path()), QStringList{QStringLiteral("sample.txt")});
}

TEST(SaveSettingsFile, ReplacesALongerFileWhole)
{
    QTemporaryDir tempDir;
    ASSERT_TRUE(tempDir.isValid());
    const QString strPath = tempDir.filePath(QStringLiteral("sample.txt"));
    ASSERT_TRUE(WriteBytes(strPath, std::string(100'000, 'x')));
    ASSERT_TRUE(SaveSettingsFile(strPath.toStdString(), SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(EntriesBelow(tempDir.path()), QStringList{QStringLiteral("sample.txt")});
}

// Paths are UTF-8, both ways.
TEST(SettingsFilePath, Utf8Name)
{
    QTemporaryDir tempDir;
    ASSERT_TRUE(tempDir.isValid());
    const std::string strName = "Gänge ß 変速.txt";
    ASSERT_TRUE(SaveSettingsFile(tempDir.path().toStdString() + "/" + strName, SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(EntriesBelow(tempDir.path()), QStringList{QString::fromUtf8(strName)});
    EXPECT_EQ(ReadBytes(tempDir.filePath(QString::fromUtf8(strName))),
              FormatSettingsFile(SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(ReadSettingsFile(tempDir.path().toStdString() + "/" + strName).status, SettingsReadStatus::Read);
}

enum class SaveFailure
{
    ParentIsAFile,
    MissingDirectory,
    TargetIsADirectory,
    ReadOnlyDirectory,
    FullDisk,
    FileSizeLimit,
};

const char* SaveFailureName(SaveFailure failure)
{
    constexpr std::array<const char*, 6> kNames = {"ParentIsAFile",     "MissingDirectory", "TargetIsADirectory",
                                                   "ReadOnlyDirectory", "FullDisk",         "FileSizeLimit"};
    return kNames[static_cast<std::size_t>(failure)];
}

void PrintTo(SaveFailure failure, std::ostream* pStream)
{
    *pStream << SaveFailureName(failure);
}

class FailedSave : public testing::TestWithParam<SaveFailure>
{
protected:
    void TearDown() override
    {
        for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it)
            (*it)();
    }

    // Sets up the target; returns why this machine cannot provide the failure.
    std::optional<std::string> Prepare(SaveFailure failure);
    QString InTemp(const char* pszRelative) const { return m_tempDir.filePath(QString::fromUtf8(pszRelative)); }
    void PlaceOldFile(const QString& strPath)
    {
        m_strTarget = strPath;
        m_oldBytes = OldFileBytes();
        ASSERT_TRUE(WriteBytes(strPath, *m_oldBytes));
    }

    QTemporaryDir m_tempDir;
    QString m_strTarget;
    std::optional<std::string> m_oldBytes; // the file at the target before the save, if there is one
    std::vector<std::function<void()>> m_undo;
};

std::optional<std::string> FailedSave::Prepare(SaveFailure failure)
{
    switch (failure) {
    case SaveFailure::ParentIsAFile:
        EXPECT_TRUE(WriteBytes(InTemp("plain"), "not a directory"));
        m_strTarget = InTemp("plain/settings.txt");
        break;
    case SaveFailure::MissingDirectory:
        m_strTarget = InTemp("missing/settings.txt");
        break;
    case SaveFailure::TargetIsADirectory:
        EXPECT_TRUE(QDir(m_tempDir.path()).mkdir(QStringLiteral("settings.txt")));
        EXPECT_TRUE(WriteBytes(InTemp("settings.txt/inside.txt"), "kept"));
        m_strTarget = InTemp("settings.txt");
        break;
    case SaveFailure::ReadOnlyDirectory: {
        const QString strDir = InTemp("locked");
        EXPECT_TRUE(QDir(m_tempDir.path()).mkdir(QStringLiteral("locked")));
        PlaceOldFile(InTemp("locked/settings.txt"));
        EXPECT_TRUE(QFile::setPermissions(strDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        m_undo.push_back([strDir] {
            QFile::setPermissions(strDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        });
        if (QFile probe(InTemp("locked/probe")); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            return "directory permissions do not stop this user (root) from writing";
        }
        break;
    }
    case SaveFailure::FullDisk: {
        const QString strDisk = InTemp("disk");
        EXPECT_TRUE(QDir(m_tempDir.path()).mkdir(QStringLiteral("disk")));
        const std::string strMountPoint = strDisk.toStdString();
        if (mount("tmpfs", strMountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") != 0)
            return std::string("cannot mount a small tmpfs here (needs root): ") + std::strerror(errno);
        m_undo.push_back([strMountPoint] { umount2(strMountPoint.c_str(), MNT_DETACH); });
        PlaceOldFile(InTemp("disk/settings.txt"));
        const std::string strFiller = InTemp("disk/filler").toStdString();
        const int fd = open(strFiller.c_str(), O_WRONLY | O_CREAT, 0600);
        EXPECT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (write(fd, block.data(), block.size()) > 0) {
        }
        close(fd);
        struct statvfs disk = {};
        EXPECT_EQ(statvfs(strMountPoint.c_str(), &disk), 0);
        EXPECT_EQ(disk.f_bavail, 0U) << "the tmpfs did not fill up";
        break;
    }
    case SaveFailure::FileSizeLimit: {
        // The kernel refuses to grow any file past the limit (EFBIG), as a quota would.
        PlaceOldFile(InTemp("settings.txt"));
        rlimit oldLimit = {};
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit limit = oldLimit;
        limit.rlim_cur = 100;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        m_undo.push_back([oldLimit, oldHandler] {
            setrlimit(RLIMIT_FSIZE, &oldLimit);
            std::signal(SIGXFSZ, oldHandler);
        });
        break;
    }
    }
    return std::nullopt;
}

TEST_P(FailedSave, LeavesEverythingAsItWas)
{
    ASSERT_TRUE(m_tempDir.isValid());
    if (const std::optional<std::string> whyNot = Prepare(GetParam()))
        GTEST_SKIP() << *whyNot;
    ASSERT_FALSE(HasFailure()) << "could not set up the failure";
    const QStringList entriesBefore = EntriesBelow(m_tempDir.path());

    EXPECT_FALSE(SaveSettingsFile(m_strTarget.toStdString(), SampleSettings(), SampleSpeeds()));
    EXPECT_EQ(EntriesBelow(m_tempDir.path()), entriesBefore);
    if (m_oldBytes) {
        EXPECT_EQ(ReadBytes(m_strTarget), m_oldBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Causes, FailedSave,
                         testing::Values(SaveFailure::ParentIsAFile, SaveFailure::MissingDirectory,
                                         SaveFailure::TargetIsADirectory, SaveFailure::ReadOnlyDirectory,
                                         SaveFailure::FullDisk, SaveFailure::FileSizeLimit),
                         [](const auto& info) { return std::string(SaveFailureName(info.param)); });

} // namespace

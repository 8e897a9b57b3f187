#include "settingsfile/settingsfile.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "testfiles.h"

namespace {

using Lines = std::array<std::string, 10>;

const std::vector<std::string> kTenLines = {"2.68", "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"};
const Lines kTenLinesRead = {"2.68", "2", "1.3", "1", "0.75", "0", "2.9", "1500 ", "3.53", "26.4"};

std::string WithoutLastLineEnd(std::string text)
{
    text.resize(text.find_last_not_of("\r\n") + 1);
    return text;
}

// Every byte value, ten times: each line after the first runs from 0x0B through 0xFF, then stops at the NUL.
std::string EveryByteTenTimes()
{
    std::string bytes;
    for (int nPass = 0; nPass < 10; ++nPass)
        for (int ch = 0; ch < 256; ++ch)
            bytes += static_cast<char>(ch);
    return bytes;
}

Lines EveryByteTenTimesRead()
{
    std::string line;
    for (int ch = 0x0B; ch < 256; ++ch)
        line += static_cast<char>(ch);
    Lines lines;
    lines.fill(line);
    lines[0].clear();
    return lines;
}

struct ParseRow
{
    const char* pszName;
    std::string fileBytes;
    SettingsReadStatus status;
    Lines lines; // all empty unless status is Read
};

std::vector<ParseRow> ParseRows()
{
    using namespace std::string_literals;
    const std::string nineLines = JoinLines({"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "\r\n");
    return {
        {"CR LF", JoinLines(kTenLines, "\r\n"), SettingsReadStatus::Read, kTenLinesRead},
        {"LF", JoinLines(kTenLines, "\n"), SettingsReadStatus::Read, kTenLinesRead},
        {"no line end after the tenth line", WithoutLastLineEnd(JoinLines(kTenLines, "\r\n")), SettingsReadStatus::Read,
         kTenLinesRead},
        {"the report and anything after it ignored", JoinLines(kTenLines, "\r\n") + "\r\n\r\nreport\r\n\0\xff\xfe"s,
         SettingsReadStatus::Read, kTenLinesRead},
        {"a CR not before LF stays",
         nineLines + "26.4\r",
         SettingsReadStatus::Read,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "26.4\r"}},
        {"only one CR belongs to the line end",
         "1\r\r\n2\r3\n3\n4\n5\n6\n7\n8\n9\n10\r\r\n",
         SettingsReadStatus::Read,
         {"1\r", "2\r3", "3", "4", "5", "6", "7", "8", "9", "10\r"}},
        {"NUL ends a line's text",
         "2.\0"
         "68\r\n\0junk\r\n3\n4\n5\n6\n7\n8\n9\n10\0"s,
         SettingsReadStatus::Read,
         {"2.", "", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"empty lines count", std::string(10, '\n'), SettingsReadStatus::Read, {}},
        {"every byte value", EveryByteTenTimes(), SettingsReadStatus::Read, EveryByteTenTimesRead()},
        {"nine lines", nineLines, SettingsReadStatus::TooShort, {}},
        {"nine lines without a last line end", WithoutLastLineEnd(nineLines), SettingsReadStatus::TooShort, {}},
        {"nine line ends", std::string(9, '\n'), SettingsReadStatus::TooShort, {}},
        {"one long line", std::string(5000, '1'), SettingsReadStatus::TooShort, {}},
        {"empty", "", SettingsReadStatus::TooShort, {}},
    };
}

// Each row is parsed from memory and read from a file, which must agree.
TEST(ParseSettingsLines, LinesAndStatus)
{
    QTemporaryDir tempDir;
    ASSERT_TRUE(tempDir.isValid());
    const QString strPath = tempDir.filePath(QStringLiteral("settings.txt"));
    for (const ParseRow& row : ParseRows()) {
        const SettingsFileLines parsed = ParseSettingsLines(row.fileBytes);
        EXPECT_EQ(parsed.status, row.status) << row.pszName;
        EXPECT_EQ(parsed.lines, row.lines) << row.pszName;

        ASSERT_TRUE(WriteBytes(strPath, row.fileBytes));
        const SettingsFileLines read = ReadSettingsFile(strPath.toStdString());
        EXPECT_EQ(read.status, row.status) << row.pszName << ", from a file";
        EXPECT_EQ(read.lines, row.lines) << row.pszName << ", from a file";
    }
}

// Longer than any buffer the reader fills at once, so the line is put together from many reads.
TEST(ReadSettingsFile, MegabyteLineIsReadWhole)
{
    std::vector<std::string> lines = kTenLines;
    lines[0] = std::string(1'000'000, '7');
    const std::string fileBytes = JoinLines(lines, "\r\n") + std::string(300'000, 'x');
    Lines expected = kTenLinesRead;
    expected[0] = lines[0];

    EXPECT_EQ(ParseSettingsLines(fileBytes).lines, expected);
    QTemporaryDir tempDir;
    ASSERT_TRUE(tempDir.isValid());
    const QString strPath = tempDir.filePath(QStringLiteral("long.txt"));
    ASSERT_TRUE(WriteBytes(strPath, fileBytes));
    const SettingsFileLines read = ReadSettingsFile(strPath.toStdString());
    EXPECT_EQ(read.status, SettingsReadStatus::Read);
    EXPECT_EQ(read.lines, expected);
}

enum class UnreadableCause
{
    Missing,
    Directory,
    NoPermission,
    EmptyPath,
};

const char* UnreadableCauseName(UnreadableCause cause)
{
    constexpr std::array<const char*, 4> kNames = {"Missing", "Directory", "NoPermission", "EmptyPath"};
    return kNames[static_cast<std::size_t>(cause)];
}

void PrintTo(UnreadableCause cause, std::ostream* pStream)
{
    *pStream << UnreadableCauseName(cause);
}

class UnreadableFile : public testing::TestWithParam<UnreadableCause>
{
protected:
    QTemporaryDir m_tempDir;
};

TEST_P(UnreadableFile, CannotOpen)
{
    ASSERT_TRUE(m_tempDir.isValid());
    QString strPath;
    switch (GetParam()) {
    case UnreadableCause::Missing:
        strPath = m_tempDir.filePath(QStringLiteral("missing.txt"));
        break;
    case UnreadableCause::Directory:
        strPath = m_tempDir.filePath(QStringLiteral("folder"));
        ASSERT_TRUE(QDir(m_tempDir.path()).mkdir(QStringLiteral("folder")));
        break;
    case UnreadableCause::NoPermission: {
        strPath = m_tempDir.filePath(QStringLiteral("locked.txt"));
        ASSERT_TRUE(WriteBytes(strPath, JoinLines(kTenLines, "\r\n")));
        ASSERT_TRUE(QFile::setPermissions(strPath, QFileDevice::Permissions{}));
        if (QFile probe(strPath); probe.open(QIODevice::ReadOnly))
            GTEST_SKIP() << "file permissions do not stop this user (root) from reading";
        break;
    }
    case UnreadableCause::EmptyPath:
        break;
    }
    const SettingsFileLines read = ReadSettingsFile(strPath.toStdString());
    EXPECT_EQ(read.status, SettingsReadStatus::CannotOpen);
    EXPECT_EQ(read.lines, Lines{});
}

INSTANTIATE_TEST_SUITE_P(Causes, UnreadableFile,
                         testing::Values(UnreadableCause::Missing, UnreadableCause::Directory,
                                         UnreadableCause::NoPermission, UnreadableCause::EmptyPath),
                         [](const auto& info) { return std::string(UnreadableCauseName(info.param)); });

} // namespace

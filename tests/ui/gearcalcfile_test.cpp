// Save and Load as a user meets them: the file dialogs, the messages, and what the fields hold afterwards.

#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "settingsfile/settingsfile.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"
#include "ui/exchange/winapp.h"

namespace {

const std::string kSaved = "SAVE SUCCESSFUL|File Saved.  You may print the file, or examine in a word processor.";
const std::string kCannotOpen = "ERROR|Cannot open file.";
const std::string kTooShort = "ERROR|This is not a settings file: it has fewer than ten lines. Nothing was loaded.";
const std::string kNumber = "Please enter a number.";

class SettingsFileDialogs : public CalculatorTest
{
protected:
    std::string PathOf(const char* pszName) const { return m_dir.filePath(QString::fromUtf8(pszName)).toStdString(); }

    std::string WriteFile(const char* pszName, const std::string& bytes) const
    {
        QFile file(QString::fromStdString(PathOf(pszName)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return PathOf(pszName);
    }

    static std::string ReadFile(const std::string& strPath)
    {
        QFile file(QString::fromStdString(strPath));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
    }

    // The file messages, as "caption|text", with no icon.
    std::vector<std::string> FileMessages()
    {
        std::vector<std::string> messages;
        for (const CBoxRecord& record : m_seam.Records()) {
            if (record.kind == CBoxRecord::Kind::Message && record.strCaption != GetApp()->m_strAppName) {
                EXPECT_EQ(record.nType, MB_OK) << record.strText;
                messages.push_back(record.strCaption + "|" + record.strText);
            }
        }
        return messages;
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFileDialogs, SaveThenLoadRestoresEverything)
{
    const std::string strPath = PathOf("mine.kvr");
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        m_seam.QueueFileAnswer(strPath);
        Click(GetDlgItem(hDlg, IDC_SAVE));
        ASSERT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::SaveFile);
        const FileDialogOptions& save = m_seam.Records().front().fileOptions;
        EXPECT_EQ(save.strFileName, "mixo.kvr");
        EXPECT_EQ(save.strFilter, "*.kvr");
        EXPECT_EQ(save.strDefaultExt, "kvr");
        EXPECT_EQ(FileMessages(), std::vector<std::string>{kSaved});
        EXPECT_EQ(ReadFile(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));

        Click(GetDlgItem(hDlg, IDC_CLEAR));
        m_seam.ClearRecords();
        m_seam.QueueFileAnswer(strPath);
        Click(GetDlgItem(hDlg, IDC_LOAD));
        EXPECT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::OpenFile);
        EXPECT_EQ(m_seam.Records().front().fileOptions.strFileName, "*.kvr");
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        for (const GearValueInfo& info : kGearExchangeOrder)
            EXPECT_EQ(dialog.GetSettings()[info.value], SampleSettings()[info.value]);
        EXPECT_EQ(Prompts(), std::vector<std::string>{});
    });
}

struct LoadRow
{
    const char* pszName;
    std::string bytes; // written to a file; empty name loads the directory itself
    std::vector<std::string> fileMessages;
    std::vector<std::string> prompts;
    const char* pszRpmAfter; // the RPM field's text afterwards
};

TEST_F(SettingsFileDialogs, LoadingWhatUsersHaveOnDisk)
{
    const std::string sample = "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500 \n3.53\n26.4";
    const std::vector<LoadRow> rows = {
        {"lf.kvr", sample + "\n", {}, {}, "1500 "},
        {"crlf.kvr", "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1600\r\n3.53\r\n26.4\r\n", {}, {}, "1600"},
        {"nolineend.kvr", sample, {}, {}, "1500 "},
        {"short.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500\n3.53\n", {kTooShort}, {}, "1234"},
        {"empty.kvr", "", {kTooShort}, {}, "1234"},
        {"", "", {kCannotOpen}, {}, "1234"},
        {"letters.kvr",
         "2.68\n2\n1.3\n1\n0.75\n0\n2.9\nfast\n3.53\n26.4\n",
         {},
         {kNumber, kNumber, kNumber, kNumber},
         "fast"},
        {"binary.kvr",
         std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\n\n\n\n\n\n\n\n\n", 27),
         {},
         std::vector<std::string>(11, kNumber),
         ""},
    };
    for (const LoadRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        const std::string strPath = *row.pszName ? WriteFile(row.pszName, row.bytes) : m_dir.path().toStdString();
        RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            Click(GetDlgItem(hDlg, IDC_SAMPLE));
            SetWindowText(GetDlgItem(hDlg, IDC_RPM), "1234");
            m_seam.ClearRecords();
            m_seam.QueueFileAnswer(strPath);
            Click(GetDlgItem(hDlg, IDC_LOAD));
            const std::vector<std::string> fileMessages = FileMessages();
            EXPECT_EQ(fileMessages, row.fileMessages);
            EXPECT_EQ(Prompts(), row.prompts);
            EXPECT_EQ(Text(hDlg, IDC_RPM), row.pszRpmAfter);
        });
    }
}

TEST_F(SettingsFileDialogs, CancelledDialogsDoNothing)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        m_seam.QueueFileAnswer(std::nullopt);
        Click(GetDlgItem(hDlg, IDC_SAVE));
        m_seam.QueueFileAnswer(std::nullopt);
        Click(GetDlgItem(hDlg, IDC_LOAD));
        EXPECT_EQ(FileMessages(), std::vector<std::string>{});
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
    });
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(SettingsFileDialogs, FailedSaveSaysSoAndKeepsTheOldFile)
{
    const std::string strOld = WriteFile("old.kvr", "keep me\n");
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        m_seam.QueueFileAnswer(PathOf("old.kvr/inside.kvr")); // a path below a file cannot be written
        Click(GetDlgItem(hDlg, IDC_SAVE));
        EXPECT_EQ(FileMessages(), std::vector<std::string>{"ERROR|Error saving file."});
    });
    EXPECT_EQ(ReadFile(strOld), "keep me\n");
}

} // namespace

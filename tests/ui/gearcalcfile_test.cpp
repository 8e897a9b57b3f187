// Save and Load as a user meets them: the file dialogs, the messages, and what the fields hold afterwards.

#include <string>
#include <tuple>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "settingsfile/settingsfile.h"
#include "tests/support/files.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"
#include "ui/exchange/winapp.h"

namespace {

using Texts = std::vector<std::string>;
const std::string kTooShort = "ERROR|This is not a settings file: it has fewer than ten lines. Nothing was loaded.";
const std::string kNumber = "ui_tests|Please enter a number.";

class SettingsFileDialogs : public CalculatorTest
{
protected:
    std::string PathOf(const char* pszName) const { return m_dir.filePath(QString::fromUtf8(pszName)).toStdString(); }

    std::string WriteFile(const char* pszName, const std::string& bytes) const
    {
        EXPECT_TRUE(WriteBytes(PathOf(pszName), bytes));
        return PathOf(pszName);
    }

    // Every message since the last call, as "caption|text"; the file messages have no icon.
    Texts Messages()
    {
        for (const CBoxRecord& record : m_seam.Records()) {
            if (record.kind == CBoxRecord::Kind::Message && record.strCaption != GetApp()->m_strAppName) {
                EXPECT_EQ(record.nType, MB_OK) << record.strText;
            }
        }
        return TakePrompts(m_seam);
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFileDialogs, SaveThenLoadRestoresEverything)
{
    const std::string strPath = PathOf("mine.kvr");
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        m_seam.QueueFileAnswer(strPath);
        Click(platform::GetDlgItem(hDlg, IDC_SAVE));
        ASSERT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::SaveFile);
        const FileDialogOptions save = m_seam.Records().front().fileOptions;
        EXPECT_EQ(save.strFileName, "mixo.kvr");
        EXPECT_EQ(save.strFilter, "*.kvr");
        EXPECT_EQ(save.strDefaultExt, "kvr");
        EXPECT_EQ(Messages(),
                  Texts{"SAVE SUCCESSFUL|File Saved.  You may print the file, or examine in a word processor."});
        EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));

        Click(platform::GetDlgItem(hDlg, IDC_CLEAR));
        m_seam.QueueFileAnswer(strPath);
        Click(platform::GetDlgItem(hDlg, IDC_LOAD));
        EXPECT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::OpenFile);
        EXPECT_EQ(m_seam.Records().front().fileOptions.strFileName, "*.kvr");
        EXPECT_EQ(Messages(), Texts{});
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        for (const GearValueInfo& info : kGearExchangeOrder)
            EXPECT_EQ(dialog.GetSettings()[info.value], SampleSettings()[info.value]);
    });
}

// Each row loads a file over the sample with 1234 typed in RPM: the file's name (none: the directory itself), its
// bytes, the messages, what RPM shows afterwards.
TEST_F(SettingsFileDialogs, LoadingWhatUsersHaveOnDisk)
{
    const std::string sample = "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500 \n3.53\n26.4";
    const std::vector<std::tuple<const char*, std::string, Texts, const char*>> rows = {
        {"lf.kvr", sample + "\n", {}, "1500 "},
        {"crlf.kvr", "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1600\r\n3.53\r\n26.4\r\n", {}, "1600"},
        {"nolineend.kvr", sample, {}, "1500 "},
        {"short.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500\n3.53\n", {kTooShort}, "1234"},
        {"empty.kvr", "", {kTooShort}, "1234"},
        {"", "", {"ERROR|Cannot open file."}, "1234"},
        {"letters.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\nfast\n3.53\n26.4\n", Texts(4, kNumber), "fast"},
        {"binary.kvr", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\n\n\n\n\n\n\n\n\n", 27), Texts(11, kNumber),
         ""},
    };
    for (const auto& [pszName, bytes, messages, pszRpmAfter] : rows) {
        SCOPED_TRACE(pszName);
        const std::string strPath = *pszName ? WriteFile(pszName, bytes) : m_dir.path().toStdString();
        RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
            platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_RPM), "1234");
            m_seam.ClearRecords();
            m_seam.QueueFileAnswer(strPath);
            Click(platform::GetDlgItem(hDlg, IDC_LOAD));
            EXPECT_EQ(Messages(), messages);
            EXPECT_EQ(Text(hDlg, IDC_RPM), pszRpmAfter);
        });
    }
}

// Cancelled file dialogs do nothing; a save that fails says so and leaves the old file as it was.
TEST_F(SettingsFileDialogs, CancelledDialogsAndAFailedSave)
{
    const std::string strOld = WriteFile("old.kvr", "keep me\n");
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        m_seam.QueueFileAnswer(std::nullopt);
        Click(platform::GetDlgItem(hDlg, IDC_SAVE));
        m_seam.QueueFileAnswer(std::nullopt);
        Click(platform::GetDlgItem(hDlg, IDC_LOAD));
        EXPECT_EQ(Messages(), Texts{});
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
        m_seam.QueueFileAnswer(PathOf("old.kvr/inside.kvr")); // a path below a file cannot be written
        Click(platform::GetDlgItem(hDlg, IDC_SAVE));
        EXPECT_EQ(Messages(), Texts{"ERROR|Error saving file."});
    });
    EXPECT_EQ(ReadBytes(strOld), "keep me\n");
}

} // namespace

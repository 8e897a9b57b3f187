// Save, Load and Load B as a user meets them: the file dialogs, the messages, and what the fields hold afterwards.

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "settingsfile/settingsfile.h"
#include "tests/support/files.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"

namespace {

const std::string kTooShort = "ERROR|This is not a settings file: it has fewer than ten lines. Nothing was loaded.";
const std::string kNumber = "Please enter a number.";

class SettingsFileDialogs : public CalculatorTest
{
protected:
    std::string PathOf(const std::string& strName) const { return m_dir.Path() + "/" + strName; }
    void ClickWithFile(HWND hDlg, int nButton, std::optional<std::string> path)
    {
        m_seam.QueueFileAnswer(std::move(path));
        Click(hDlg, nButton);
    }

    CScratchDir m_dir;
};

TEST_F(SettingsFileDialogs, SaveThenLoadRestoresEverything)
{
    const std::string strPath = PathOf("mine.kvr");
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_SAMPLE);
        ClickWithFile(hDlg, IDC_SAVE, strPath);
        ASSERT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::SaveFile);
        const FileDialogOptions save = m_seam.Records().front().fileOptions;
        EXPECT_EQ(std::tie(save.strFileName, save.strFilter, save.strDefaultExt), std::tie("mixo.kvr", "*.kvr", "kvr"));
        EXPECT_EQ(TakeMessages(m_seam),
                  Texts{"SAVE SUCCESSFUL|File Saved.  You may print the file, or examine in a word processor."});
        EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));

        // Cancelled file dialogs do nothing; a save that fails says so and leaves the old file as it was.
        for (int nButton : {IDC_SAVE, IDC_LOAD})
            ClickWithFile(hDlg, nButton, std::nullopt);
        ClickWithFile(hDlg, IDC_SAVE, strPath + "/inside.kvr"); // a path below a file cannot be written
        EXPECT_EQ(TakeMessages(m_seam), Texts{"ERROR|Error saving file."});
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));

        Click(hDlg, IDC_CLEAR);
        ClickWithFile(hDlg, IDC_LOAD, strPath);
        EXPECT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::OpenFile);
        EXPECT_EQ(m_seam.Records().front().fileOptions.strFileName, "*.kvr");
        EXPECT_EQ(TakeMessages(m_seam), Texts{});
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
    });
}

// Each row loads a file over the sample with 1234 typed in RPM: the file's name (none: the directory itself), its
// bytes, the messages, what RPM shows afterwards. Load B reads the same files for setup B: the same file
// messages, the first line a field would refuse, and B held only from a good file.
TEST_F(SettingsFileDialogs, LoadingWhatUsersHaveOnDisk)
{
    const Texts kNoFile = {"ERROR|Cannot open file."};
    const std::vector<std::tuple<const char*, std::string, Texts, const char*, Texts>> rows = {
        {"lf.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1600\n3.53\n26.4\n", {}, "1600", {}},
        {"short.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500\n3.53\n", {kTooShort}, "1234", {kTooShort}},
        {"", "", kNoFile, "1234", kNoFile},
        {"letters.kvr",
         "2.68\n2\n1.3\n1\n0.75\n0\n2.9\nfast\n3.53\n26.4\n",
         Texts(4, kNumber),
         "fast",
         {"ERROR|Line 8: " + kNumber + " Setup B was not loaded."}},
    };
    for (const auto& [pszName, bytes, messages, pszRpmAfter, setupBMessages] : rows) {
        SCOPED_TRACE(pszName);
        const std::string strPath = PathOf(pszName);
        EXPECT_TRUE(!*pszName || WriteBytes(strPath, bytes));
        RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            Click(hDlg, IDC_SAMPLE);
            SetText(hDlg, IDC_RPM, "1234");
            TakeMessages(m_seam);
            ClickWithFile(hDlg, IDC_LOAD, strPath);
            EXPECT_EQ(TakeMessages(m_seam), messages);
            EXPECT_EQ(Text(hDlg, IDC_RPM), pszRpmAfter);

            Click(hDlg, IDC_WORKBENCH);
            TakeMessages(m_seam);
            ClickWithFile(hDlg, IDC_LOAD_B, strPath);
            EXPECT_EQ(TakeMessages(m_seam), setupBMessages);
            EXPECT_EQ(Text(hDlg, IDC_B_STATUS).starts_with("B (" + std::string(pszName) + "): "),
                      setupBMessages.empty());
        });
    }
}

} // namespace

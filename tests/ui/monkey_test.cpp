// A few thousand random steps a user could take, from a fixed seed: after every one the seven displays show the
// record's speed table and no dialog or box waits. Runs under the sanitizers too, where any finding fails it.

#include <random>
#include <string>
#include <vector>

#include <QApplication>

#include <gtest/gtest.h>

#include "settingsfile/settingsfile.h"
#include "tests/support/files.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"

namespace {

TEST_F(CalculatorTest, MonkeyNeverLeavesTheDisplaysBehindTheRecord)
{
    std::mt19937 random(20261206);
    const auto pick = [&](const auto& choices) {
        return choices[random() % choices.size()];
    };
    const std::vector<std::string> texts = {"1500",        "2.68",  "0",       "",     "-5",    "1e400",
                                            "abc",         "15000", "15000.5", "0.75", "2.5d1", " 7\t",
                                            "99999999999", ".5",    "-0",      "1,5",  "26.4",  "1e-400"};
    const std::vector<int> fields = {IDC_RPM,   IDC_GEAR1, IDC_GEAR2,   IDC_GEAR3,    IDC_GEAR4,
                                     IDC_GEAR5, IDC_GEAR6, IDC_REVERSE, IDC_REAR_END, IDC_TIRE_OD};
    const std::vector<int> buttons = {IDC_GAS, IDC_BRAKE, IDC_SAMPLE, IDC_CLEAR, IDC_WORKBENCH, IDC_HOLD_B};
    CScratchDir dir;
    std::vector<std::string> files = {dir.Path() + "/missing.kvr", dir.Path()};
    for (const std::string& bytes : {FormatSettingsFile(SampleSettings(), SampleSpeeds()), std::string("1\n2\n"),
                                     std::string("2.68\n2\nx\n1\n0.75\n0\n2.9\n1e9\n3.53\n26.4\n")}) {
        files.push_back(dir.Path() + "/" + std::to_string(files.size()) + ".kvr");
        ASSERT_TRUE(WriteBytes(files.back(), bytes));
    }
    const std::vector<DialogAction> closeTire = {ClickOn(IDOK), ClickOn(IDCANCEL), KeyIn(IDC_TIRE_RIM, Qt::Key_Escape),
                                                 CloseBox()};
    std::size_t nTireDialogs = 0, nMessages = 0;
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        DriveDialogs(m_seam, [&](HWND hTire) {
            ++nTireDialogs;
            for (int nId : {IDC_TIRE_WIDTH, IDC_TIRE_ASPECT, IDC_TIRE_RIM})
                SetText(hTire, nId, pick(texts));
            pick(closeTire)(hTire);
            if (platform::IsInModalLoop(hTire)) // OK over a field it refused
                PressKey(hTire, IDOK, Qt::Key_Escape);
        });
        for (int nStep = 0; nStep < 3000; ++nStep) {
            const unsigned nAction = random() % 6;
            if (nAction < 3) { // typed or written by the program, as Load and the presets write
                HWND hField = platform::GetDlgItem(hDlg, pick(fields));
                nAction < 2 ? platform::SetWindowText(hField, pick(texts)) : TypeInto(hField, pick(texts));
            } else if (nAction == 3) {
                Click(hDlg, pick(buttons));
            } else if (nAction == 4) {
                m_seam.QueueFileAnswer(pick(files));
                Click(hDlg, random() % 2 ? IDC_LOAD : IDC_LOAD_B);
            } else {
                Click(hDlg, IDC_CALC_DIAMETER);
            }
            ASSERT_EQ(Speeds(hDlg), BuildSpeedTable(dialog.GetSettings())) << "step " << nStep;
            ASSERT_EQ(QApplication::activeModalWidget(), platform::WidgetOf(hDlg)) << "step " << nStep;
            nMessages += TakeMessages(m_seam).size();
        }
    });
    EXPECT_GT(nTireDialogs, 300U) << "the monkey hardly used the tire dialog";
    EXPECT_GT(nMessages, 1000U) << "the monkey hardly met a prompt or a file message";
}

} // namespace

#include "ui/tiresizedlg.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/calculator.h"

namespace {

// Each row opens the tire dialog over the sample with the tire field as typed, acts in it, and ends with what the
// calculator holds. Only OK over a valid size hands the displayed diameter over (one decimal, "N/A" as 0); a
// refused OK followed by Cancel changes nothing (Escape and the close box cancel as in any dialog).
TEST_F(CalculatorTest, TireDialogHandsOverOnlyWhatOkConfirms)
{
    const std::vector<std::tuple<const char*, DialogAction, const char*, SpeedTable, Texts>> rows = {
        {"Enter in a field after a refused width",
         [](HWND hTire) {
             Click(hTire, IDC_SAMPLE_TIRE);
             SetText(hTire, IDC_TIRE_WIDTH, "225.5");
             EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4");
             TypeInto(hTire, IDC_TIRE_WIDTH, "225");
             PressKey(hTire, IDC_TIRE_RIM, Qt::Key_Return);
         },
         "27.4 ",
         SpeedTable{"12.9", "17.2", "26.5", "34.4", "45.9", "N/A", "-11.9"},
         {"Please enter an integer."}},
        {"OK without a diameter",
         ClickOn(IDOK),
         "0.0  ",
         SpeedTable{"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"},
         {}},
        {"Cancel after a refused OK",
         [](HWND hTire) {
             Click(hTire, IDC_SAMPLE_TIRE);
             TypeInto(hTire, IDC_TIRE_ASPECT, "301");
             EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "68.3") << "the out-of-range aspect stays in the member";
             EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hTire, IDC_TIRE_ASPECT));
             Click(hTire, IDOK);
             EXPECT_TRUE(platform::IsInModalLoop(hTire));
             Click(hTire, IDCANCEL);
         },
         "26.43",
         {},
         Texts(2, "Please enter an integer between 0 and 300.")},
    };
    for (const auto& [pszName, driver, pszTireField, speeds, prompts] : rows) {
        SCOPED_TRACE(pszName);
        RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            Click(hDlg, IDC_SAMPLE);
            TypeInto(hDlg, IDC_TIRE_OD, std::string_view(pszTireField).starts_with("26") ? "26.43" : "26.4");
            TakeMessages(m_seam);
            DriveDialogs(m_seam, [&](HWND hTire) {
                for (int nId : {IDC_TIRE_WIDTH, IDC_TIRE_ASPECT, IDC_TIRE_RIM})
                    EXPECT_EQ(Text(hTire, nId), "0");
                EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "N/A");
                EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hTire, IDOK));
                driver(hTire);
            });
            Click(hDlg, IDC_CALC_DIAMETER);
            EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), pszTireField);
            if (speeds[0] != "") {
                EXPECT_EQ(Speeds(hDlg), speeds);
            }
            EXPECT_EQ(TakeMessages(m_seam), prompts);
        });
    }
}

} // namespace

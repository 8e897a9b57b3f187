#include "ui/tiresizedlg.h"

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include <gtest/gtest.h>

#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"

namespace {

using Speeds7 = std::array<std::string, 7>;
const Speeds7 kSpeedsOn274 = {"12.9", "17.2", "26.5", "34.4", "45.9", "N/A", "-11.9"};

class TireSizeTest : public CalculatorTest
{
protected:
    // Opens the tire dialog from the calculator (sample settings, the tire field as typed) and hands it to the
    // driver; returns what the calculator's tire field holds afterwards.
    std::string CalcDiameter(const char* pszTyped, const std::function<void(HWND hTire)>& driver,
                             Speeds7* pSpeedsAfter = nullptr, float* pTireAfter = nullptr)
    {
        std::string strTireField;
        RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
            Click(GetDlgItem(hDlg, IDC_SAMPLE));
            TypeInto(GetDlgItem(hDlg, IDC_TIRE_OD), pszTyped);
            DriveDialogs(m_seam, [&](HWND hTire) {
                EXPECT_EQ(GetDialogTemplateId(hTire), IDD_TIRE_DIAMETER);
                EXPECT_EQ(GetWindowOwner(hTire), hDlg);
                driver(hTire);
            });
            Prompts();
            Click(GetDlgItem(hDlg, IDC_CALC_DIAMETER));
            strTireField = Text(hDlg, IDC_TIRE_OD);
            if (pSpeedsAfter != nullptr)
                *pSpeedsAfter = Speeds(hDlg);
            if (pTireAfter != nullptr)
                *pTireAfter = dialog.GetSettings().m_fTireOD;
        });
        return strTireField;
    }
};

TEST_F(TireSizeTest, OpensWithZerosAndFocusOnOk)
{
    CalcDiameter("26.4", [&](HWND hTire) {
        EXPECT_EQ(Text(hTire, IDC_TIRE_WIDTH), "0");
        EXPECT_EQ(Text(hTire, IDC_TIRE_ASPECT), "0");
        EXPECT_EQ(Text(hTire, IDC_TIRE_RIM), "0");
        EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "N/A");
        EXPECT_EQ(GetFocus(), GetDlgItem(hTire, IDOK));
        PressKey(GetFocus(), Qt::Key_Escape);
    });
}

TEST_F(TireSizeTest, SampleTireAndOkHandTheDiameterOver)
{
    Speeds7 speeds;
    float fTire = 0;
    const std::string strField = CalcDiameter(
        "26.4",
        [&](HWND hTire) {
            Click(GetDlgItem(hTire, IDC_SAMPLE_TIRE));
            EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4");
            Click(GetDlgItem(hTire, IDOK));
        },
        &speeds, &fTire);
    EXPECT_EQ(strField, "27.4 ");
    EXPECT_EQ(fTire, 27.4F);
    EXPECT_EQ(speeds, kSpeedsOn274);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(TireSizeTest, EnterInAFieldIsOk)
{
    const std::string strField = CalcDiameter("26.4", [&](HWND hTire) {
        TypeInto(GetDlgItem(hTire, IDC_TIRE_WIDTH), "225");
        TypeInto(GetDlgItem(hTire, IDC_TIRE_ASPECT), "70");
        TypeInto(GetDlgItem(hTire, IDC_TIRE_RIM), "15");
        PressKey(GetDlgItem(hTire, IDC_TIRE_RIM), Qt::Key_Return);
    });
    EXPECT_EQ(strField, "27.4 ");
}

TEST_F(TireSizeTest, OkWithNoDiameterClearsTheTire)
{
    Speeds7 speeds;
    const std::string strField = CalcDiameter(
        "26.4", [&](HWND hTire) { Click(GetDlgItem(hTire, IDOK)); }, &speeds);
    EXPECT_EQ(strField, "0.0  ");
    EXPECT_EQ(speeds, (Speeds7{"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"}));
}

TEST_F(TireSizeTest, IntegerFieldsAreJudgedAsIntegers)
{
    CalcDiameter("26.4", [&](HWND hTire) {
        Click(GetDlgItem(hTire, IDC_SAMPLE_TIRE));
        AppendTyped(GetDlgItem(hTire, IDC_TIRE_ASPECT), "1"); // 701
        EXPECT_EQ(Prompts(), std::vector<std::string>{"Please enter an integer between 0 and 300."});
        TypeInto(GetDlgItem(hTire, IDC_TIRE_ASPECT), "301");
        EXPECT_EQ(Prompts(), std::vector<std::string>{"Please enter an integer between 0 and 300."});
        EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "68.3") << "the out-of-range aspect stays in the member";
        EXPECT_EQ(GetFocus(), GetDlgItem(hTire, IDC_TIRE_ASPECT));

        TypeInto(GetDlgItem(hTire, IDC_TIRE_ASPECT), "70");
        SetWindowText(GetDlgItem(hTire, IDC_TIRE_WIDTH), "225.5");
        EXPECT_EQ(Prompts(), std::vector<std::string>{"Please enter an integer."});
        EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4") << "a rejected width keeps the previous one";
        PressKey(GetFocus(), Qt::Key_Escape);
    });
}

// Nothing reaches the calculator unless OK closes the dialog: the typed tire stays as typed.
TEST_F(TireSizeTest, CancelChangesNothing)
{
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> closers = {
        {"Cancel",
         [](HWND hTire) {
             Click(GetDlgItem(hTire, IDCANCEL));
         }},
        {"Escape",
         [](HWND hTire) {
             PressKey(GetDlgItem(hTire, IDC_TIRE_RIM), Qt::Key_Escape);
         }},
        {"close box",
         [](HWND hTire) {
             WidgetFor(hTire)->close();
         }},
    };
    for (const auto& [pszName, close] : closers) {
        SCOPED_TRACE(pszName);
        Speeds7 speeds;
        float fTire = 0;
        const std::string strField = CalcDiameter(
            "26.43",
            [&](HWND hTire) {
                Click(GetDlgItem(hTire, IDC_SAMPLE_TIRE));
                TypeInto(GetDlgItem(hTire, IDC_TIRE_ASPECT), "301");
                Click(GetDlgItem(hTire, IDOK)); // refused: the dialog stays open
                EXPECT_TRUE(IsInModalLoop(hTire));
                close(hTire);
            },
            &speeds, &fTire);
        EXPECT_EQ(strField, "26.43");
        EXPECT_EQ(fTire, 26.43F);
        EXPECT_EQ(Prompts(), std::vector<std::string>(2, "Please enter an integer between 0 and 300."));
    }
}

TEST_F(TireSizeTest, PromptsBelongToTheTireDialog)
{
    HWND hTireShown = nullptr;
    CalcDiameter("26.4", [&](HWND hTire) {
        hTireShown = hTire;
        TypeInto(GetDlgItem(hTire, IDC_TIRE_RIM), "x");
        PressKey(GetFocus(), Qt::Key_Escape);
    });
    ASSERT_FALSE(m_seam.Records().empty());
    EXPECT_EQ(m_seam.Records().back().hOwner, hTireShown);
}

} // namespace

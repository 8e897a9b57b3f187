#include "ui/tiresizedlg.h"

#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include <gtest/gtest.h>

#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"

namespace {

const SpeedTable kSpeedsOn274 = {"12.9", "17.2", "26.5", "34.4", "45.9", "N/A", "-11.9"};
const std::string kAspectRange = "Please enter an integer between 0 and 300.";

// What the calculator holds once the tire dialog is gone.
struct TireOutcome
{
    std::string strTireField;
    float fTire = 0;
    SpeedTable speeds;
};

class TireSizeTest : public CalculatorTest
{
protected:
    // Opens the tire dialog from the calculator (sample settings, the tire field as typed), checks that it opens
    // empty over the calculator with the focus on OK, and hands it to the driver. Every prompt it raised must
    // be owned by the tire dialog.
    TireOutcome CalcDiameter(const char* pszTyped, const std::function<void(HWND hTire)>& driver)
    {
        TireOutcome outcome;
        RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
            Click(hDlg, IDC_SAMPLE);
            TypeInto(hDlg, IDC_TIRE_OD, pszTyped);
            TakeMessages(m_seam);
            DriveDialogs(m_seam, [&](HWND hTire) {
                EXPECT_EQ(platform::GetDialogTemplateId(hTire), IDD_TIRE_DIAMETER);
                EXPECT_EQ(platform::GetWindowOwner(hTire), hDlg);
                for (int nId : {IDC_TIRE_WIDTH, IDC_TIRE_ASPECT, IDC_TIRE_RIM})
                    EXPECT_EQ(Text(hTire, nId), "0");
                EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "N/A");
                EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hTire, IDOK));
                driver(hTire);
                for (const CBoxRecord& record : m_seam.Records())
                    EXPECT_EQ(record.hOwner, hTire);
            });
            Click(hDlg, IDC_CALC_DIAMETER);
            outcome = {Text(hDlg, IDC_TIRE_OD), dialog.GetSettings().m_fTireOD, Speeds(hDlg)};
        });
        return outcome;
    }
};

TEST_F(TireSizeTest, OkHandsTheDiameterOver)
{
    TireOutcome outcome = CalcDiameter("26.4", [&](HWND hTire) {
        Click(hTire, IDC_SAMPLE_TIRE);
        EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4");
        Click(hTire, IDOK);
    });
    EXPECT_EQ(outcome.strTireField, "27.4 ");
    EXPECT_EQ(outcome.fTire, 27.4F);
    EXPECT_EQ(outcome.speeds, kSpeedsOn274);

    // A width with a decimal point is refused and the previous one kept; Enter in a field is OK.
    outcome = CalcDiameter("26.4", [&](HWND hTire) {
        Click(hTire, IDC_SAMPLE_TIRE);
        SetText(hTire, IDC_TIRE_WIDTH, "225.5");
        EXPECT_EQ(TakeMessages(m_seam), Texts{"Please enter an integer."});
        EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4");
        TypeInto(hTire, IDC_TIRE_WIDTH, "225");
        PressKey(hTire, IDC_TIRE_RIM, Qt::Key_Return);
    });
    EXPECT_EQ(outcome.speeds, kSpeedsOn274);

    // No diameter: the tire becomes 0.0 and no gear has a speed.
    outcome = CalcDiameter("26.4", [&](HWND hTire) { Click(hTire, IDOK); });
    EXPECT_EQ(outcome.strTireField, "0.0  ");
    EXPECT_EQ(outcome.speeds, (SpeedTable{"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"}));
    EXPECT_TRUE(TakeMessages(m_seam).empty());
}

// Nothing reaches the calculator unless OK closes the dialog, even after OK was refused: the typed tire stays.
TEST_F(TireSizeTest, CancelAfterARefusedOkChangesNothing)
{
    for (const auto& [pszName, close] : {std::pair{"Cancel", ClickOn(IDCANCEL)},
                                         {"Escape", KeyIn(IDC_TIRE_RIM, Qt::Key_Escape)},
                                         {"close box", CloseBox()}}) {
        SCOPED_TRACE(pszName);
        const TireOutcome outcome = CalcDiameter("26.43", [&](HWND hTire) {
            Click(hTire, IDC_SAMPLE_TIRE);
            TypeInto(hTire, IDC_TIRE_ASPECT, "301");
            EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "68.3") << "the out-of-range aspect stays in the member";
            EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hTire, IDC_TIRE_ASPECT));
            Click(hTire, IDOK);
            EXPECT_TRUE(platform::IsInModalLoop(hTire));
            close(hTire);
        });
        EXPECT_EQ(outcome.strTireField, "26.43");
        EXPECT_EQ(outcome.fTire, 26.43F);
        EXPECT_EQ(TakeMessages(m_seam), Texts(2, kAspectRange));
    }
}

} // namespace

#include "ui/gearcalcdlg.h"

#include <string>
#include <vector>

#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "calc/shiftchart.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"
#include "ui/shiftchartplot.h"

namespace {

using Speeds7 = std::array<std::string, 7>;
const Speeds7 kSampleSpeeds = {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
const Speeds7 kNoSpeeds = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
const std::string kNumber = "Please enter a number.";
const std::string kRpmRange = "Please enter a number between 0 and 15000.";
const std::string kRatioRange = "Please enter a number between 0 and 50.";

constexpr int kInputs[] = {IDC_RPM,   IDC_GEAR1, IDC_GEAR2,   IDC_GEAR3,    IDC_GEAR4,
                           IDC_GEAR5, IDC_GEAR6, IDC_REVERSE, IDC_REAR_END, IDC_TIRE_OD};

TEST_F(CalculatorTest, OpensWithZerosTheIconAndFocusOnRpm)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        for (int nId : kInputs)
            EXPECT_EQ(Text(hDlg, nId), "0") << nId;
        EXPECT_EQ(Speeds(hDlg), kNoSpeeds);
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_RPM));
        EXPECT_FALSE(WidgetFor(hDlg)->windowIcon().isNull());
        EXPECT_EQ(GetWindowText(hDlg), "Corvane Ratiograph");
    });
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(CalculatorTest, SampleSettingsThenClear)
{
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        EXPECT_EQ(Speeds(hDlg), kSampleSpeeds);
        EXPECT_EQ(Text(hDlg, IDC_GEAR2), "2.0");
        EXPECT_EQ(dialog.GetSettings().m_fRearEnd, 3.53F);
        EXPECT_EQ(dialog.GetSettings().m_fReverse, 2.9F);

        Click(GetDlgItem(hDlg, IDC_CLEAR));
        for (int nId : kInputs)
            EXPECT_EQ(Text(hDlg, nId), "0") << nId;
        EXPECT_EQ(Speeds(hDlg), kNoSpeeds);
        EXPECT_EQ(dialog.GetSettings().m_fRpm, 0.0F);
    });
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(CalculatorTest, EveryKeystrokeRecalculates)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        TypeInto(GetDlgItem(hDlg, IDC_GEAR1), "3");
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "11.1");
        AppendTyped(GetDlgItem(hDlg, IDC_GEAR1), ".5");
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), " 9.5");
        TypeInto(GetDlgItem(hDlg, IDC_RPM), "0");
        EXPECT_EQ(Speeds(hDlg), (Speeds7{" 0.0", " 0.0", " 0.0", " 0.0", " 0.0", "N/A", " 0.0"}));
    });
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(CalculatorTest, TwentyThousandRpmIsPromptedAndStillComputed)
{
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        TypeInto(GetDlgItem(hDlg, IDC_RPM), "20000");
        EXPECT_EQ(Prompts(), std::vector<std::string>{kRpmRange});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "165.1");
        EXPECT_EQ(dialog.GetSettings().m_fRpm, 20000.0F);
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_RPM));
        EXPECT_EQ(GetTextSelection(GetDlgItem(hDlg, IDC_RPM)), std::make_pair(0, 5));
    });
}

TEST_F(CalculatorTest, NegativeRatioIsPromptedAndShownNegative)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        HWND hGear1 = GetDlgItem(hDlg, IDC_GEAR1);
        SetFocus(hGear1);
        PressKey(hGear1, Qt::Key_Home);
        QTest::keyClick(WidgetFor(hGear1), Qt::Key_Minus);
        EXPECT_EQ(Text(hDlg, IDC_GEAR1), "-2.68");
        EXPECT_EQ(Prompts(), std::vector<std::string>{kRatioRange});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "-12.4");
    });
}

// After a prompt the field's whole text is selected, so the next key replaces it: as in the original.
TEST_F(CalculatorTest, DeletingAFieldPromptsAndKeepsFocusThere)
{
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        TypeInto(GetDlgItem(hDlg, IDC_REAR_END), "");
        EXPECT_EQ(Prompts(), std::vector<std::string>{kNumber});
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_REAR_END));
        EXPECT_EQ(dialog.GetSettings().m_fRearEnd, 3.53F) << "a rejected text keeps the value";
        EXPECT_EQ(Speeds(hDlg), kSampleSpeeds);
    });
}

struct RpmStepRow
{
    const char* pszRpm;
    int nButton;
    const char* pszExpected;
};

TEST_F(CalculatorTest, GasAndBrakeClampOnlyAtTheirOwnBound)
{
    const std::vector<RpmStepRow> rows = {
        {"1500", IDC_GAS, "1600 "},
        {"1500", IDC_BRAKE, "1400 "},
        {"14950", IDC_GAS, "15000"},
        {"15000", IDC_GAS, "15000"},
        {"50", IDC_BRAKE, "0    "},
        {"0", IDC_BRAKE, "0    "},
        {"abc", IDC_GAS, "100  "},
        {"2.5e3", IDC_GAS, "2600 "},
        {"-1e20", IDC_GAS, "-100000000000000000000"},
        {"1e20", IDC_BRAKE, "100000000000000000000"},
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        for (const RpmStepRow& row : rows) {
            SetWindowText(GetDlgItem(hDlg, IDC_RPM), row.pszRpm);
            Click(GetDlgItem(hDlg, row.nButton));
            EXPECT_EQ(Text(hDlg, IDC_RPM), row.pszExpected) << row.pszRpm;
        }
        SetWindowText(GetDlgItem(hDlg, IDC_RPM), "1500");
        Prompts();
        Click(GetDlgItem(hDlg, IDC_GAS));
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "13.2");
    });
}

// Each button writes the RPM field and recalculates once more: a bad field elsewhere is prompted twice.
TEST_F(CalculatorTest, ButtonsWithAnotherFieldInvalid)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        SetWindowText(GetDlgItem(hDlg, IDC_GEAR4), "x");
        EXPECT_EQ(Prompts(), std::vector<std::string>{kNumber});
        Click(GetDlgItem(hDlg, IDC_GAS));
        EXPECT_EQ(Prompts(), (std::vector<std::string>{kNumber, kNumber}));
        Click(GetDlgItem(hDlg, IDC_BRAKE));
        EXPECT_EQ(Prompts(), (std::vector<std::string>{kNumber, kNumber}));
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_GEAR4));

        // The preset prompts at every write until it rewrites the bad field (fourth gear is its fifth write).
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        EXPECT_EQ(Prompts(), (std::vector<std::string>{kNumber, kNumber, kNumber, kNumber}));
        EXPECT_EQ(Speeds(hDlg), kSampleSpeeds);

        SetWindowText(GetDlgItem(hDlg, IDC_RPM), "99999");
        Prompts();
        Click(GetDlgItem(hDlg, IDC_CLEAR));
        EXPECT_EQ(Prompts(), std::vector<std::string>{}) << "Clear rewrites RPM first";
    });
}

struct ClosingRow
{
    const char* pszName;
    const char* pszGear3; // what the third-gear field holds
    std::function<void(HWND hDlg)> close;
    int nExpected; // 0: stays open
    std::vector<std::string> prompts;
};

TEST_F(CalculatorTest, CloseEnterAndEscape)
{
    const std::vector<ClosingRow> rows = {
        {"Close, valid", "1.3", [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, IDOK, {}},
        {"Close, invalid", "1.3.", [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, 0, {kNumber}},
        {"Enter in a field, valid",
         "1.3",
         [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_TIRE_OD), Qt::Key_Return); },
         IDOK,
         {}},
        {"Enter in a field, invalid",
         "77",
         [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_RPM), Qt::Key_Enter); },
         0,
         {kRatioRange}},
        {"Escape, invalid",
         "x",
         [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDC_GEAR3), Qt::Key_Escape); },
         IDCANCEL,
         {}},
        {"close box, invalid", "x", [](HWND hDlg) { WidgetFor(hDlg)->close(); }, IDCANCEL, {}},
    };
    for (const ClosingRow& row : rows) {
        SCOPED_TRACE(row.pszName);
        bool bOpen = false;
        const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            Click(GetDlgItem(hDlg, IDC_SAMPLE));
            SetWindowText(GetDlgItem(hDlg, IDC_GEAR3), row.pszGear3);
            Prompts();
            row.close(hDlg);
            bOpen = IsInModalLoop(hDlg);
            EXPECT_EQ(Prompts(), row.prompts);
        });
        EXPECT_EQ(bOpen, row.nExpected == 0);
        if (row.nExpected != 0) {
            EXPECT_EQ(nResult, row.nExpected);
        }
    }
}

TEST_F(CalculatorTest, HuhShowsTheExplanationOverTheCalculator)
{
    RunCalculator([&](CGearCalcDlg& dialog, HWND hDlg) {
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        int nExplained = 0;
        DriveDialogs(m_seam, [&](HWND hExplain) {
            ++nExplained;
            EXPECT_EQ(GetDialogTemplateId(hExplain), IDD_EXPLAIN);
            EXPECT_EQ(GetWindowOwner(hExplain), hDlg);
            PressKey(GetDlgItem(hExplain, IDOK), Qt::Key_Return);
        });
        Click(GetDlgItem(hDlg, IDC_HUH));
        EXPECT_EQ(nExplained, 1);
        EXPECT_EQ(Speeds(hDlg), kSampleSpeeds);
        EXPECT_EQ(dialog.GetSettings().m_fRpm, 1500.0F);
    });
    EXPECT_TRUE(Prompts().empty());
}

} // namespace

namespace {

// The chart is redrawn from the record at every recalculation, whatever the record holds.
TEST_F(CalculatorTest, ShiftChartFollowsTheRecord)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pChart = WidgetFor(GetDlgItem(hDlg, IDC_SHIFT_CHART));
        ASSERT_NE(pChart, nullptr);
        EXPECT_EQ(pChart->focusPolicy(), Qt::NoFocus);
        const QImage empty = pChart->grab().toImage();
        Click(GetDlgItem(hDlg, IDC_SAMPLE));
        const QImage sample = pChart->grab().toImage();
        EXPECT_NE(sample, empty);
        for (const char* pszRpm : {"1e30", "-20000", "1e400", "0.000001"}) {
            SetWindowText(GetDlgItem(hDlg, IDC_RPM), pszRpm);
            EXPECT_FALSE(pChart->grab().isNull()) << pszRpm;
        }
        SetWindowText(GetDlgItem(hDlg, IDC_GEAR1), "0.0000001");
        SetWindowText(GetDlgItem(hDlg, IDC_RPM), "1500");
        EXPECT_FALSE(pChart->grab().isNull());
        Click(GetDlgItem(hDlg, IDC_CLEAR));
        EXPECT_EQ(pChart->grab().toImage(), empty);
    });
}

TEST(ShiftChartPlot, LinesSawtoothAndEmptyText)
{
    const PlotData plot = MakeShiftChartPlot(ComputeShiftChart(SampleSettings()));
    ASSERT_EQ(plot.lines.size(), 6U) << "five gears and the sawtooth";
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(plot.lines[i].label, std::to_string(i + 1));
        EXPECT_EQ(plot.lines[i].points.back().second, 1500.0);
    }
    const PlotPolyline& sawtooth = plot.lines.back();
    EXPECT_EQ(sawtooth.pen, PlotPen::Emphasis);
    ASSERT_EQ(sawtooth.points.size(), 10U);
    EXPECT_NEAR(sawtooth.points[2].second, 1500 * 2.0 / 2.68, 0.1) << "first drop ends in second gear";
    EXPECT_EQ(sawtooth.points.back(), plot.lines[4].points.back());
    EXPECT_EQ(plot.bottomUnit, "MPH");
    EXPECT_TRUE(plot.emptyText.empty());
    EXPECT_EQ(MakeShiftChartPlot(ComputeShiftChart(GearSettings{})).emptyText, "No speeds to chart");
}

} // namespace

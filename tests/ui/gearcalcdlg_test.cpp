#include "ui/gearcalcdlg.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "calc/shiftchart.h"
#include "calc/tiresize.h"
#include "platform/plotwidget.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"
#include "ui/exchange/dialog.h"
#include "ui/shiftchartplot.h"

namespace {

// The largest difference in one colour channel between two pictures.
int LargestDifference(const QImage& first, const QImage& second)
{
    int nLargest = first.size() == second.size() ? 0 : 255;
    for (int y = 0; nLargest < 255 && y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = first.pixel(x, y);
            const QRgb b = second.pixel(x, y);
            nLargest = std::max({nLargest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                 std::abs(qBlue(a) - qBlue(b))});
        }
    }
    return nLargest;
}

// Every field and speed display, ids 1000 to 1016: RPM, second and first gear, rear end, tire, third to sixth gear,
// six speeds, reverse and its speed.
const Texts kEmpty = {"0",   "0",   "0",   "0",   "0",   "0",   "0", "0",  "0",
                      "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "0", "N/A"};
const std::string kNumber = "Please enter a number.";

// The calculator as a user first meets it, then the sample: the explanation leaves it alone, every keystroke
// recalculates the speeds and the chart, Clear empties it again, and Enter in a field closes it.
TEST_F(CalculatorTest, OpensEmptyRecalculatesAtEveryKeystrokeAndClosesWithEnter)
{
    const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pChart = Widget(hDlg, IDC_SHIFT_CHART);
        const QImage emptyChart = pChart->grab().toImage();
        EXPECT_EQ(Column(hDlg, IDC_RPM, 17), kEmpty);
        EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDC_RPM));
        Click(hDlg, IDC_SAMPLE);
        EXPECT_EQ(Column(hDlg, IDC_RPM, 17), (Texts{"1500", "2.0", "2.68", "3.53", "26.4", "1.3", "1.0", "0.75", "0",
                                                    "12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "2.9", "-11.4"}));
        EXPECT_NE(pChart->grab().toImage(), emptyChart);
        DriveDialogs(m_seam, [&](HWND hExplain) {
            EXPECT_EQ(platform::GetDialogTemplateId(hExplain), IDD_EXPLAIN);
            EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hExplain, IDOK));
            PressKey(hExplain, IDOK, Qt::Key_Return);
        });
        Click(hDlg, IDC_HUH);
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        TypeInto(hDlg, IDC_GEAR1, "3");
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "11.1");
        Click(hDlg, IDC_CLEAR);
        EXPECT_EQ(Column(hDlg, IDC_RPM, 17), kEmpty);
        EXPECT_EQ(pChart->grab().toImage(), emptyChart);
        PressKey(hDlg, IDC_TIRE_OD, Qt::Key_Return);
    });
    EXPECT_EQ(nResult, IDOK);
}

// A prompt leaves the focus in the field with its whole text selected; the record keeps an out-of-range value and
// computes with it, and keeps the previous value for a text that is no number. Gas, Brake and the presets prompt
// for a bad field at every write; Close stays open on it; Escape closes whatever it holds.
TEST_F(CalculatorTest, PromptsKeepTheFocusOnTheFieldAndTheRecordComputing)
{
    const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        HWND hRpm = platform::GetDlgItem(hDlg, IDC_RPM);
        HWND hGear4 = platform::GetDlgItem(hDlg, IDC_GEAR4);
        Click(hDlg, IDC_SAMPLE);
        TypeInto(hRpm, "20000");
        EXPECT_EQ(TakeMessages(m_seam), Texts{"Please enter a number between 0 and 15000."});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "165.1");
        EXPECT_EQ(platform::GetFocus(), hRpm);
        EXPECT_EQ(platform::GetTextSelection(hRpm), std::make_pair(0, 5));

        Click(hDlg, IDC_SAMPLE);
        PressKey(hDlg, IDC_GEAR1, Qt::Key_Home);
        QTest::keyClick(Widget(hDlg, IDC_GEAR1), Qt::Key_Minus);
        EXPECT_EQ(TakeMessages(m_seam), Texts{"Please enter a number between 0 and 50."});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "-12.4");

        Click(hDlg, IDC_SAMPLE);
        TakeMessages(m_seam);
        TypeInto(hGear4, "");
        EXPECT_EQ(TakeMessages(m_seam), Texts{kNumber});
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        // Each button writes RPM and recalculates once more: the bad field is prompted twice.
        for (int nButton : {IDC_GAS, IDC_BRAKE}) {
            Click(hDlg, nButton);
            EXPECT_EQ(TakeMessages(m_seam), Texts(2, kNumber));
        }
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(platform::GetFocus(), hGear4);
        Click(hDlg, IDOK);
        EXPECT_EQ(TakeMessages(m_seam), Texts{kNumber});
        EXPECT_TRUE(platform::IsInModalLoop(hDlg));
        // The preset prompts at every write until it rewrites the bad field (fourth gear is its fifth write).
        Click(hDlg, IDC_SAMPLE);
        EXPECT_EQ(TakeMessages(m_seam), Texts(4, kNumber));
        SetText(hDlg, IDC_RPM, "99999");
        TakeMessages(m_seam);
        Click(hDlg, IDC_CLEAR);
        EXPECT_EQ(TakeMessages(m_seam), Texts{}) << "Clear rewrites RPM first";
        SetText(hDlg, IDC_GEAR1, "x");
        TakeMessages(m_seam);
        PressKey(hDlg, IDC_GEAR1, Qt::Key_Escape);
        EXPECT_FALSE(platform::IsInModalLoop(hDlg));
    });
    EXPECT_EQ(nResult, IDCANCEL);
}

// Each button steps the field's text (not the record) by 100 and clamps only at its own end of the range.
TEST_F(CalculatorTest, GasAndBrakeClampOnlyAtTheirOwnBound)
{
    // The text written, the button, the text after, and the prompts the text and the button's writes raise.
    const std::vector<std::tuple<const char*, int, const char*, std::size_t>> rows = {
        {"1500", IDC_GAS, "1600 ", 0},
        {"14950", IDC_GAS, "15000", 0},
        {"50", IDC_BRAKE, "0    ", 0},
        {"abc", IDC_GAS, "100  ", 1},
        {"-1e20", IDC_GAS, "-100000000000000000000", 3},
        {"1e20", IDC_BRAKE, "100000000000000000000", 3},
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_SAMPLE);
        for (const auto& [pszRpm, nButton, pszExpected, nPrompts] : rows) {
            SetText(hDlg, IDC_RPM, pszRpm);
            Click(hDlg, nButton);
            EXPECT_EQ(Text(hDlg, IDC_RPM), pszExpected) << pszRpm;
            EXPECT_EQ(TakeMessages(m_seam).size(), nPrompts) << pszRpm;
        }
    });
}

// The workbench's figures follow every change of the record, and its own fields are judged in the panel, never with
// a prompt.
TEST_F(CalculatorTest, WorkbenchFollowsTheRecord)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_SAMPLE);
        Click(hDlg, IDC_WORKBENCH);
        EXPECT_EQ(Column(hDlg, IDC_KMH1, 7), (Texts{"19.9", "26.7", "41.1", "53.4", "71.2", "N/A", "-18.4"}));
        EXPECT_EQ(Column(hDlg, IDC_SHIFT_DROP1, 5),
                  (Texts{"1119 (-381)", "975 (-525)", "1154 (-346)", "1125 (-375)", "N/A"}));
        TypeInto(hDlg, IDC_CRUISE_SPEED, "70 mph");
        EXPECT_EQ(Column(hDlg, IDC_CRUISE_RPM1, 6), (Texts{"8479", "6328", "4113", "3164", "2373", "N/A"}));

        // What the panel cannot read is marked there; nothing prompts, and the record is untouched.
        TypeInto(hDlg, IDC_CRUISE_SPEED, "fast");
        TypeInto(hDlg, IDC_TIRE_SIZE, "big");
        EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE),
                  "Cruise speed: use a speed like 70, 70 mph or 110 km/h. " + std::string(kTireSizeHint));
        EXPECT_EQ(Widget(hDlg, IDC_TIRE_SIZE)->accessibleDescription().toStdString(), kTireSizeHint);
        Click(hDlg, IDC_USE_TIRE_SIZE);
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "26.4");
        TypeInto(hDlg, IDC_CRUISE_SPEED, "");
        EXPECT_EQ(Column(hDlg, IDC_CRUISE_RPM1, 6), Texts(6, ""));

        TypeInto(hDlg, IDC_TIRE_SIZE, "205/55R16 91V");
        EXPECT_EQ(Column(hDlg, IDC_TIRE_SIZE_INCHES, 3), (Texts{"24.88 in", "632 mm", "811/mile"}));
        EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "");
        Click(hDlg, IDC_USE_TIRE_SIZE);
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "24.88");
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "11.7") << "the write recalculates";

        // A Use button over an empty field says what it needs and changes nothing.
        Click(hDlg, IDC_USE_REVS);
        EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "Revs per mile: use a number above 0, like 925.");
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "24.88");
        TypeInto(hDlg, IDC_REVS_PER_MILE, "925");
        EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "");
        Click(hDlg, IDC_USE_REVS);
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "21.93");

        // Setup B: the differences, the speedometer, and B's sawtooth on the chart.
        SetText(hDlg, IDC_TIRE_OD, "26.4");
        Click(hDlg, IDC_HOLD_B);
        SetText(hDlg, IDC_TIRE_OD, "28.0");
        EXPECT_EQ(Column(hDlg, IDC_DIFF_B1, 6), (Texts{"+6.1%", "+6.1%", "+6.1%", "+6.1%", "+6.1%", "N/A"}));
        EXPECT_EQ(Text(hDlg, IDC_SPEEDOMETER), "56.6");
        QWidget* pChart = Widget(hDlg, IDC_SHIFT_CHART);
        EXPECT_TRUE(pChart->accessibleDescription().contains(QStringLiteral("Setup B is drawn dashed")));
        Click(hDlg, IDC_CLEAR_B);
        EXPECT_EQ(Text(hDlg, IDC_SPEEDOMETER), "");
        EXPECT_FALSE(pChart->accessibleDescription().contains(QStringLiteral("Setup B")));

        // Print and Export from the keyboard; cancelled here, they write nothing.
        PressKey(hDlg, IDC_RPM, Qt::Key_P, Qt::ControlModifier);
        PressKey(hDlg, IDC_GEAR1, Qt::Key_E, Qt::ControlModifier);
        ASSERT_EQ(m_seam.Records().size(), 2U);
        EXPECT_EQ(std::pair(m_seam.Records()[0].kind, m_seam.Records()[1].kind),
                  std::pair(CBoxRecord::Kind::Print, CBoxRecord::Kind::SaveFile));
        m_seam.ClearRecords();
    });
}

// However the Workbench button is toggled, by a user, a screen reader or the program, the panel goes with it, the
// window widening to the right, and the calculator hears of each toggle once.
TEST_F(CalculatorTest, EveryWayOfTogglingTheWorkbenchTakesThePanelAlong)
{
    struct CCountingDlg : CGearCalcDlg
    {
        int m_nToggles = 0;
        bool OnCommand(int nId, int nCode) override
        {
            m_nToggles += nId == IDC_WORKBENCH ? 1 : 0;
            return CGearCalcDlg::OnCommand(nId, nCode);
        }
    } dialog;
    const auto button = [](HWND hDlg) {
        return qobject_cast<QPushButton*>(Widget(hDlg, IDC_WORKBENCH));
    };
    const std::vector<std::pair<std::string, DialogAction>> ways = {
        {"click", ClickOn(IDC_WORKBENCH)},
        {"Space", KeyIn(IDC_WORKBENCH, Qt::Key_Space)},
        {"Alt+W", KeyIn(IDC_RPM, Qt::Key_W, Qt::AltModifier)},
        {"toggle action",
         [&](HWND hDlg) {
             QAccessible::queryAccessibleInterface(button(hDlg))
                 ->actionInterface()
                 ->doAction(QAccessibleActionInterface::toggleAction());
         }},
        {"setChecked",
         [&](HWND hDlg) {
             button(hDlg)->setChecked(!button(hDlg)->isChecked());
         }},
    };
    RunCalculator(dialog, [&](CGearCalcDlg&, HWND hDlg) {
        const QRect closed = platform::WidgetOf(hDlg)->geometry();
        for (const auto& [way, toggle] : ways) {
            for (const bool bOpen : {true, false}) {
                const int nToggles = dialog.m_nToggles;
                toggle(hDlg);
                EXPECT_TRUE(QTest::qWaitFor([&] { return button(hDlg)->isChecked() == bOpen; })) << way;
                const QRect shown = platform::WidgetOf(hDlg)->geometry();
                EXPECT_EQ(std::tuple(Widget(hDlg, IDC_CRUISE_SPEED)->isVisible(), shown.width() > closed.width(),
                                     shown.height(), dialog.m_nToggles),
                          std::tuple(bOpen, bOpen, closed.height(), nToggles + 1))
                    << way;
            }
        }
    });
}

// A keystroke repaints the chart only around what it moves, over pictures kept from earlier paints: what the
// window shows must still be what a paint from nothing shows, while typing into one gear, then others.
TEST_F(CalculatorTest, ChartShowsWhatAFreshPaintShows)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pChart = Widget(hDlg, IDC_SHIFT_CHART);
        Click(hDlg, IDC_SAMPLE);
        Click(hDlg, IDC_HOLD_B);
        const std::vector<std::pair<int, std::string>> keystrokes = {
            {IDC_GEAR1, "3"}, {IDC_GEAR1, "3.1"}, {IDC_GEAR1, "2.4"},    {IDC_GEAR3, "1.5"}, {IDC_GEAR3, "1.6"},
            {IDC_GEAR1, "2"}, {IDC_GEAR5, "0.8"}, {IDC_TIRE_OD, "26.8"}, {IDC_GEAR6, "0.6"}, {IDC_RPM, "2500"},
            {IDC_GEAR2, "0"}, {IDC_GEAR2, "1.9"}, {IDC_TIRE_OD, "30"}};
        for (const auto& [nId, text] : keystrokes) {
            SetText(hDlg, nId, text);
            QCoreApplication::processEvents();
            const QPoint at = pChart->mapTo(pChart->window(), QPoint());
            const QImage shown =
                pChart->screen()
                    ->grabWindow(pChart->window()->winId(), at.x(), at.y(), pChart->width(), pChart->height())
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32);
            // A palette change drops the chart's kept pictures; the whole repaint it asks for is done before the
            // next keystroke.
            QEvent paletteChange(QEvent::PaletteChange);
            QCoreApplication::sendEvent(pChart, &paletteChange);
            // Where the repaint's edge cuts a line, antialiasing may round a shade differently; a line left out or
            // left behind differs by much more.
            EXPECT_LE(LargestDifference(shown, pChart->grab().toImage().convertToFormat(QImage::Format_RGB32)), 6)
                << nId << " " << text;
            QCoreApplication::processEvents();
        }
    });
}

TEST(ShiftChartPlot, LinesSawtoothGhostAndDescription)
{
    GearSettings setupB = SampleSettings();
    setupB.m_fGear3 = 0;
    const ShiftChart chartB = ComputeShiftGears(setupB);
    const PlotData plot = MakeShiftChartPlot(ComputeShiftChart(SampleSettings(), &setupB), &chartB, 40.0);
    ASSERT_EQ(plot.lines.size(), 7U) << "five gears, B's sawtooth and the sawtooth";
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(plot.lines[i].label, std::to_string(i + 1));
        EXPECT_EQ(plot.lines[i].points.back().second, 1500.0);
    }
    EXPECT_EQ(plot.lines[5].pen, PlotPen::Ghost);
    EXPECT_NEAR(plot.lines[5].points[4].second, 750, 0.1) << "B shifts from second straight into fourth";
    const PlotPolyline& sawtooth = plot.lines.back();
    EXPECT_EQ(sawtooth.pen, PlotPen::Emphasis);
    ASSERT_EQ(sawtooth.points.size(), 10U);
    EXPECT_EQ(sawtooth.points.back(), plot.lines[4].points.back());
    EXPECT_EQ(plot.description,
              "Shift chart of 1st, 2nd, 3rd, 4th and 5th gears at 1500 RPM. 1st reaches 12.4 MPH, then 2nd lands at "
              "1119 RPM. 2nd reaches 16.6 MPH, then 3rd lands at 975 RPM. 3rd reaches 25.5 MPH, then 4th lands at "
              "1154 RPM. 4th reaches 33.2 MPH, then 5th lands at 1125 RPM. 5th reaches 44.2 MPH. Setup B is drawn "
              "dashed, at 1500 RPM: 1st reaches 12.4 MPH. 2nd reaches 16.6 MPH. 4th reaches 33.2 MPH. 5th reaches 44.2 "
              "MPH. At 40 MPH: 1st 4845 RPM, 2nd 3616 RPM, 3rd 2350 RPM, 4th 1808 RPM, 5th 1356 RPM.");
    EXPECT_EQ(plot.key, (std::vector<PlotKeyEntry>{{"Now", PlotPen::Emphasis}, {"Setup B", PlotPen::Ghost}}));
    // A faster B widens the speed axis so that its sawtooth stays inside the frame.
    GearSettings bigTire = SampleSettings();
    bigTire.m_fTireOD = 31.2F;
    EXPECT_EQ(ComputeShiftChart(SampleSettings()).mphMax, 50.0);
    EXPECT_EQ(ComputeShiftChart(SampleSettings(), &bigTire).mphMax, 60.0);
    // Speed across, MPH below and km/h above, RPM up: the axes, their units and their ticks.
    const auto ticks = [](const std::vector<PlotTick>& plotTicks) {
        std::string text;
        for (const PlotTick& tick : plotTicks)
            text += tick.text + "@" + std::to_string(int(std::lround(tick.value))) + " ";
        return text;
    };
    EXPECT_EQ(std::make_tuple(plot.xMin, plot.xMax, plot.yMin, plot.yMax), std::make_tuple(0.0, 50.0, 0.0, 1500.0));
    EXPECT_EQ(plot.bottomUnit + "|" + plot.topUnit + "|" + plot.leftUnit, "MPH|km/h|RPM");
    EXPECT_EQ(ticks(plot.bottomTicks), "0@0 10@10 20@20 30@30 40@40 50@50 ");
    EXPECT_EQ(ticks(plot.topTicks), "0@0 20@12 40@25 60@37 80@50 ");
    EXPECT_EQ(ticks(plot.leftTicks), "0@0 500@500 1000@1000 1500@1500 ");
    // The empty chart's description, the same words, is held by the accessibility test.
    EXPECT_EQ(MakeShiftChartPlot(ComputeShiftChart(GearSettings{})).emptyText, "No speeds to chart");
}

// Every line stands out from the chart's background by at least 3:1 and every text by 4.5:1 (WCAG), in a light, a
// dark and a high-contrast palette.
TEST(ShiftChartPlot, ColoursAreLegibleOnEveryPalette)
{
    const auto palette = [](QColor base, QColor text, QColor highlight) {
        QPalette palette(base, base);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Highlight, highlight);
        return palette;
    };
    const QPalette dark = palette(QColor(0x2a, 0x2a, 0x2a), QColor(0xee, 0xee, 0xee), QColor(0x2a, 0x82, 0xda));
    const QPalette highContrast = palette(Qt::black, Qt::white, QColor(0x1a, 0xeb, 0xff));
    for (const QPalette& palette : {QApplication::style()->standardPalette(), dark, highContrast}) {
        const PlotColours colours = ChoosePlotColours(palette);
        EXPECT_GE(ContrastRatio(colours.text, colours.background), 4.5);
        for (const QColor& line : {colours.frame, colours.grid, colours.guide, colours.emphasis, colours.ghost})
            EXPECT_GE(ContrastRatio(line, colours.background), 3.0) << line.name().toStdString();
    }
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

// The window icon is the drawing made for each installed size, at twice the density too, transparent around; the
// notice shows it at 32 pixels and opens, as the explanation does, with the focus on OK.
TEST_F(CalculatorTest, WindowCarriesTheIconAtEverySize)
{
    const auto argb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_ARGB32);
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        const QIcon icon = platform::WidgetOf(hDlg)->windowIcon();
        for (const int nSize : {16, 32, 48, 64, 128, 256}) {
            const QImage drawn = argb(QImage(QStringLiteral(RATIOGRAPH_ICONS "/ratiograph-%1.png").arg(nSize)));
            ASSERT_EQ(drawn.width(), nSize);
            EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << drawn.width();
            EXPECT_EQ(argb(icon.pixmap(drawn.size(), 1).toImage()), drawn) << drawn.width();
            EXPECT_EQ(argb(icon.pixmap(drawn.size() / 2, 2).toImage()), drawn) << drawn.width();
        }
        // Between the drawn sizes, the drawing itself: the tire in the middle, transparent at the corner.
        const QImage rendered = argb(icon.pixmap(QSize(24, 24), 1).toImage());
        EXPECT_EQ(rendered.size(), QSize(24, 24));
        EXPECT_EQ(qAlpha(rendered.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(rendered.pixel(12, 12)), 255);
    });
    CDialog notice(IDD_NOTICE);
    RunDriven(m_seam, notice, [&](HWND hDlg) {
        EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDOK));
        QSize iconSize;
        for (const QLabel* pLabel : platform::WidgetOf(hDlg)->findChildren<QLabel*>())
            iconSize = pLabel->pixmap().isNull() ? iconSize : pLabel->pixmap().deviceIndependentSize().toSize();
        EXPECT_EQ(iconSize, QSize(32, 32));
        Click(hDlg, IDOK);
    });
}

} // namespace

#include "ui/gearcalcdlg.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <tuple>

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

#include "calc/tiresize.h"
#include "tests/support/files.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"

namespace {

using namespace std::string_literals;

// The largest difference in one colour channel between two pictures.
int LargestDifference(const QImage& first, const QImage& second)
{
    int nLargest = first.size() == second.size() ? 0 : 255;
    for (int y = 0; nLargest < 255 && y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            for (const int nShift : {0, 8, 16}) // blue, green, red
                nLargest = std::max(nLargest, std::abs(int(first.pixel(x, y) >> nShift & 0xff) -
                                                       int(second.pixel(x, y) >> nShift & 0xff)));
        }
    }
    return nLargest;
}

// Ids 1000 to 1016: RPM, second and first gear, rear end, tire, third to sixth gear, six speeds, reverse, its speed.
const Texts kEmpty = {"0",   "0",   "0",   "0",   "0",   "0",   "0", "0",  "0",
                      "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "0", "N/A"};

// Empty at first; the sample, each keystroke and Clear recalculate speeds and chart; Enter in a field closes it.
TEST_F(CalculatorTest, OpensEmptyRecalculatesAtEveryKeystrokeAndClosesWithEnter)
{
    const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pChart = Widget(hDlg, IDC_SHIFT_CHART);
        const QImage emptyChart = pChart->grab().toImage();
        EXPECT_EQ(Column(hDlg, IDC_RPM, 17), kEmpty);
        EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDC_RPM));
        EXPECT_EQ(platform::GetTextSelection(Item(hDlg, IDC_RPM)), std::pair(0, 1)) << "as Tab would, to type over";
        EXPECT_EQ(pChart->accessibleDescription(), QStringLiteral("No speeds to chart"));
        Click(hDlg, IDC_SAMPLE);
        EXPECT_EQ(Column(hDlg, IDC_RPM, 17), (Texts{"1500", "2.0", "2.68", "3.53", "26.4", "1.3", "1.0", "0.75", "0",
                                                    "12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "2.9", "-11.4"}));
        PressKey(hDlg, IDC_RPM, Qt::Key_Q, Qt::AltModifier); // no control's access key: types nothing
        PressKey(hDlg, IDC_RPM, Qt::Key_A, Qt::AltModifier);
        EXPECT_EQ(std::pair(Text(hDlg, IDC_RPM), platform::GetFocus()), std::pair("1500"s, Item(hDlg, IDC_REAR_END)));
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
        // A keystroke repaints only around what moves, over kept pictures: the window shows what a fresh paint does.
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
            // A palette change drops the kept pictures; its whole repaint is done before the next keystroke.
            QEvent paletteChange(QEvent::PaletteChange);
            QCoreApplication::sendEvent(pChart, &paletteChange);
            // Antialiasing at the repaint's edge may round a shade; a line left out or behind differs by far more.
            EXPECT_LE(LargestDifference(shown, pChart->grab().toImage().convertToFormat(QImage::Format_RGB32)), 6)
                << nId << " " << text;
            QCoreApplication::processEvents();
        }
        PressKey(hDlg, IDC_TIRE_OD, Qt::Key_Return);
    });
    EXPECT_EQ(nResult, IDOK);
}

// A prompt selects the field; out-of-range values compute, non-numbers keep the old value; Escape always closes.
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
        // Gas and Brake step the text by 100 and clamp at their own bound: text, button, text after, prompts.
        const std::string k20Zeros(20, '0');
        const std::vector<std::tuple<const char*, int, std::string, std::size_t>> rows = {
            {"1500", IDC_GAS, "1600 ", 0},          {"14950", IDC_GAS, "15000", 0},
            {"50", IDC_BRAKE, "0    ", 0},          {"abc", IDC_GAS, "100  ", 1},
            {"-1e20", IDC_GAS, "-1" + k20Zeros, 3}, {"1e20", IDC_BRAKE, "1" + k20Zeros, 3}};
        for (const auto& [pszRpm, nButton, strExpected, nPrompts] : rows) {
            SetText(hDlg, IDC_RPM, pszRpm);
            Click(hDlg, nButton);
            EXPECT_EQ(Text(hDlg, IDC_RPM), strExpected) << pszRpm;
            EXPECT_EQ(TakeMessages(m_seam).size(), nPrompts) << pszRpm;
        }
        SetText(hDlg, IDC_GEAR1, "x");
        TakeMessages(m_seam);
        PressKey(hDlg, IDC_GEAR1, Qt::Key_Escape);
        EXPECT_FALSE(platform::IsInModalLoop(hDlg));
    });
    EXPECT_EQ(nResult, IDCANCEL);
}

// Only OK over a valid size hands the diameter over (one decimal, "N/A" as 0); Cancel leaves the field as typed.
TEST_F(CalculatorTest, TireDialogHandsOverOnlyWhatOkConfirms)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        const auto openTireDialog = [&](const DialogAction& action) {
            DriveDialogs(m_seam, [&](HWND hTire) {
                for (int nId : {IDC_TIRE_WIDTH, IDC_TIRE_ASPECT, IDC_TIRE_RIM})
                    EXPECT_EQ(Text(hTire, nId), "0");
                EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "N/A");
                EXPECT_EQ(platform::GetFocus(), Item(hTire, IDOK));
                action(hTire);
            });
            Click(hDlg, IDC_CALC_DIAMETER);
        };
        Click(hDlg, IDC_SAMPLE);
        TypeInto(hDlg, IDC_TIRE_OD, "26.43");
        openTireDialog([](HWND hTire) {
            Click(hTire, IDC_SAMPLE_TIRE);
            TypeInto(hTire, IDC_TIRE_ASPECT, "301");
            EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "68.3") << "the out-of-range aspect stays in the member";
            EXPECT_EQ(platform::GetFocus(), Item(hTire, IDC_TIRE_ASPECT));
            Click(hTire, IDOK);
            EXPECT_TRUE(platform::IsInModalLoop(hTire));
            Click(hTire, IDCANCEL);
        });
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "26.43");
        EXPECT_EQ(TakeMessages(m_seam), Texts(2, "Please enter an integer between 0 and 300."));
        openTireDialog([](HWND hTire) { // Enter in a field after a refused width
            Click(hTire, IDC_SAMPLE_TIRE);
            SetText(hTire, IDC_TIRE_WIDTH, "225.5");
            EXPECT_EQ(Text(hTire, IDC_TIRE_RESULT), "27.4");
            TypeInto(hTire, IDC_TIRE_WIDTH, "225");
            PressKey(hTire, IDC_TIRE_RIM, Qt::Key_Return);
        });
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "27.4 ");
        EXPECT_EQ(Speeds(hDlg), (SpeedTable{"12.9", "17.2", "26.5", "34.4", "45.9", "N/A", "-11.9"}));
        EXPECT_EQ(TakeMessages(m_seam), Texts{"Please enter an integer."});
        openTireDialog(ClickOn(IDOK));
        EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "0.0  ");
        EXPECT_EQ(Speeds(hDlg), (SpeedTable{"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"}));
    });
}

// However the Workbench button is toggled, the panel and a wider window follow, and the dialog hears it once.
TEST_F(CalculatorTest, WorkbenchTogglesEveryWayAndFollowsTheRecord)
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
    RunCalculator(
        [&](CGearCalcDlg&, HWND hDlg) {
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
            // The workbench's figures follow the record; its own fields are judged in the panel, never with a prompt.
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
                      "Cruise speed: use a speed like 70, 70 mph or 110 km/h, at most 500 mph or 800 km/h. " +
                          std::string(kTireSizeHint));
            EXPECT_EQ(Widget(hDlg, IDC_TIRE_SIZE)->accessibleDescription().toStdString(), kTireSizeHint);
            Click(hDlg, IDC_USE_TIRE_SIZE);
            EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "26.4");
            TypeInto(hDlg, IDC_CRUISE_SPEED, "");
            EXPECT_EQ(Column(hDlg, IDC_CRUISE_RPM1, 6), Texts(6, ""));

            // Without a problem, the line says which tire value is in use and where it came from.
            const std::string note = " " + std::string(kCircumferenceNote);
            TypeInto(hDlg, IDC_TIRE_SIZE, "205/55R16 91V");
            EXPECT_EQ(Column(hDlg, IDC_TIRE_SIZE_INCHES, 3), (Texts{"24.88 in", "632 mm", "811/mile"}));
            EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "Tire 26.40 in, as typed." + note);
            Click(hDlg, IDC_USE_TIRE_SIZE);
            EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "24.88");
            EXPECT_EQ(Text(hDlg, IDC_SPEED1), "11.7") << "the write recalculates";
            EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "Tire 24.88 in, from the size 205/55R16 91V." + note);

            // A Use button over an empty field says what it needs and changes nothing.
            Click(hDlg, IDC_USE_REVS);
            EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "Revs per mile: use a number above 0, like 925.");
            EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "24.88");
            TypeInto(hDlg, IDC_REVS_PER_MILE, "925");
            Click(hDlg, IDC_USE_REVS);
            EXPECT_EQ(Text(hDlg, IDC_TIRE_OD), "21.93");
            EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE),
                      "Tire 21.93 in, fitted to 925 revs per mile: speeds match a GPS.");
            TypeInto(hDlg, IDC_TIRE_OD, "21.9");
            EXPECT_EQ(Text(hDlg, IDC_WORKBENCH_MESSAGE), "Tire 21.90 in, as typed." + note);

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
        },
        &dialog);
}

// The window icon is the drawing for each installed size, at twice the density too; the notice shows it at 32 px.
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
            // Disabled, greyed as the style greys any icon.
            EXPECT_NE(argb(icon.pixmap(drawn.size(), 1, QIcon::Disabled).toImage()), drawn) << drawn.width();
        }
        // Between the drawn sizes, the drawing itself: the tire in the middle, transparent at the corner.
        const QImage rendered = argb(icon.pixmap(QSize(24, 24), 1).toImage());
        EXPECT_EQ(std::tuple(rendered.size(), qAlpha(rendered.pixel(0, 0)), qAlpha(rendered.pixel(12, 12))),
                  std::tuple(QSize(24, 24), 0, 255));
    });
    CDialog notice(IDD_NOTICE);
    RunDriven(m_seam, notice, [&](HWND hDlg) {
        EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDOK));
        QSize iconSize;
        for (const QLabel* pLabel : platform::WidgetOf(hDlg)->findChildren<QLabel*>())
            iconSize = pLabel->pixmap().isNull() ? iconSize : pLabel->pixmap().deviceIndependentSize().toSize();
        EXPECT_EQ(iconSize, QSize(32, 32));
        // Frameless, it draws its own thin border, all four sides of it.
        QWidget* pNotice = platform::WidgetOf(hDlg);
        const QImage shot = pNotice->grab().toImage();
        const QRgb border = pNotice->palette().color(QPalette::Shadow).rgb();
        const int nRight = qRound((pNotice->width() - 1) * shot.devicePixelRatio());
        const int nBottom = qRound((pNotice->height() - 1) * shot.devicePixelRatio());
        EXPECT_EQ((std::vector{shot.pixel(nRight / 2, 0), shot.pixel(nRight, nBottom / 2),
                               shot.pixel(nRight / 2, nBottom), shot.pixel(0, nBottom / 2)}),
                  std::vector(4, border));
        Click(hDlg, IDOK);
    });
}

// An edit's panel, kept and copied for speed, is the one the application's style draws, wherever it stands.
TEST_F(CalculatorTest, EditPanelsAsTheStyleDrawsThem)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pEdit = Widget(hDlg, IDC_RPM);
        QStyleOptionFrame option;
        option.initFrom(pEdit);
        option.rect = QRect(QPoint(3, 4), pEdit->size());
        option.lineWidth = 1;
        std::vector<QImage> drawn;
        for (const QStyle* pStyle : {pEdit->style(), QApplication::style()}) {
            QImage& image = drawn.emplace_back(pEdit->size() + QSize(6, 8), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            pStyle->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, pEdit);
        }
        EXPECT_TRUE(drawn[0] == drawn[1] && pEdit->style() != QApplication::style());
    });
}

const std::string kTooShort = "ERROR|This is not a settings file: it has fewer than ten lines. Nothing was loaded.";

// Save and Load; then each row's file (no name: the directory) over the sample with RPM 1234, then as setup B.
TEST_F(CalculatorTest, SaveThenLoadWhatUsersHaveOnDisk)
{
    CScratchDir dir;
    const std::string strPath = dir.Path() + "/mine.kvr";
    const std::string kNotB = "ERROR|Line 8: " + kNumber + " Setup B was not loaded.";
    const std::vector<std::tuple<const char*, std::string, Texts, const char*, Texts>> rows = {
        {"lf.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1600\n3.53\n26.4\n", {}, "1600", {}},
        {"short.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500\n3.53\n", {kTooShort}, "1234", {kTooShort}},
        {"", "", {"ERROR|Cannot open file."}, "1234", {"ERROR|Cannot open file."}},
        {"letters.kvr", "2.68\n2\n1.3\n1\n0.75\n0\n2.9\nfast\n3.53\n26.4\n", Texts(4, kNumber), "fast", {kNotB}}};
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        const auto clickWithFile = [&](int nButton, std::optional<std::string> path) {
            m_seam.QueueFileAnswer(std::move(path));
            Click(hDlg, nButton);
        };
        Click(hDlg, IDC_SAMPLE);
        clickWithFile(IDC_SAVE, strPath);
        ASSERT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::SaveFile);
        const FileDialogOptions save = m_seam.Records().front().fileOptions;
        EXPECT_EQ(std::tie(save.strFileName, save.strFilter, save.strDefaultExt), std::tie("mixo.kvr", "*.kvr", "kvr"));
        EXPECT_EQ(TakeMessages(m_seam),
                  Texts{"SAVE SUCCESSFUL|File Saved.  You may print the file, or examine in a word processor."});
        EXPECT_EQ(ReadBytes(strPath), FormatSettingsFile(SampleSettings(), SampleSpeeds()));

        // Cancelled file dialogs do nothing; a save that fails says so and leaves the old file as it was.
        for (int nButton : {IDC_SAVE, IDC_LOAD})
            clickWithFile(nButton, std::nullopt);
        clickWithFile(IDC_SAVE, strPath + "/inside.kvr"); // a path below a file cannot be written
        EXPECT_EQ(TakeMessages(m_seam), Texts{"ERROR|Error saving file."});
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());

        Click(hDlg, IDC_CLEAR);
        clickWithFile(IDC_LOAD, strPath);
        EXPECT_EQ(std::pair(m_seam.Records().front().kind, m_seam.Records().front().fileOptions.strFileName),
                  std::pair(CBoxRecord::Kind::OpenFile, std::string("*.kvr")));
        EXPECT_EQ(TakeMessages(m_seam), Texts{});
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());

        Click(hDlg, IDC_WORKBENCH);
        for (const auto& [pszName, bytes, messages, pszRpmAfter, setupBMessages] : rows) {
            SCOPED_TRACE(pszName);
            const std::string strFile = dir.Path() + "/" + pszName;
            EXPECT_TRUE(!*pszName || WriteBytes(strFile, bytes));
            Click(hDlg, IDC_SAMPLE);
            SetText(hDlg, IDC_RPM, "1234");
            TakeMessages(m_seam);
            clickWithFile(IDC_LOAD, strFile);
            EXPECT_EQ(TakeMessages(m_seam), messages);
            EXPECT_EQ(Text(hDlg, IDC_RPM), pszRpmAfter);
            clickWithFile(IDC_LOAD_B, strFile);
            EXPECT_EQ(TakeMessages(m_seam), setupBMessages);
            EXPECT_EQ(Text(hDlg, IDC_B_STATUS).starts_with("B (" + std::string(pszName) + "): "),
                      setupBMessages.empty());
        }
    });
}

// Thousands of seeded random steps: after each the displays show the record's speeds and no dialog or box waits.
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
    EXPECT_TRUE(nTireDialogs > 300 && nMessages > 1000) << "the monkey hardly met the tire dialog or a message";
}

} // namespace

// Each gear's speed at the redline in the unit chosen, cruise RPMs past it marked in text and description; the
// choice of metric units read by the next calculator, a bare cruise speed then in km/h; the new controls reached by
// their access keys.
TEST_F(CalculatorTest, RedlineMetricUnitsAndTheirKeys)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_SAMPLE);
        Click(hDlg, IDC_WORKBENCH);
        QWindow* pWindow = platform::WidgetOf(hDlg)->windowHandle();
        QTest::keyClick(pWindow, '-', Qt::AltModifier);
        EXPECT_EQ(platform::GetFocus(), Item(hDlg, IDC_REDLINE));
        TypeInto(hDlg, IDC_REDLINE, "4000");
        TypeInto(hDlg, IDC_CRUISE_SPEED, "70");
        EXPECT_EQ(Column(hDlg, IDC_REDLINE_SPEED1, 6), (Texts{"33.0", "44.2", "68.1", "88.5", "118.0", "N/A"}));
        EXPECT_EQ(Column(hDlg, IDC_CRUISE_RPM1, 6), (Texts{"8479!", "6328!", "4113!", "3164", "2373", "N/A"}));
        EXPECT_EQ(Widget(hDlg, IDC_CRUISE_RPM1 + 2)->accessibleDescription() + u'|' +
                      Widget(hDlg, IDC_CRUISE_RPM1 + 3)->accessibleDescription(),
                  QStringLiteral("above the redline|"));
        TypeInto(hDlg, IDC_REDLINE, "40000");
        EXPECT_EQ(Column(hDlg, IDC_REDLINE_SPEED1, 1)[0] + Text(hDlg, IDC_CRUISE_RPM1), "8479");
        TypeInto(hDlg, IDC_REDLINE, "4000");
        QTest::keyClick(pWindow, '/', Qt::AltModifier); // a button's access key clicks it a moment later
        EXPECT_TRUE(QTest::qWaitFor([&] { return platform::IsButtonChecked(Item(hDlg, IDC_METRIC)); }));
        // 70 is now km/h, the redline's speeds are km/h and the tire is told in millimetres.
        EXPECT_EQ(Column(hDlg, IDC_CRUISE_RPM1, 2), (Texts{"5269!", "3932"}));
        EXPECT_EQ(Column(hDlg, IDC_REDLINE_SPEED1, 2), (Texts{"53.1", "71.2"}));
        EXPECT_EQ(Text(hDlg, IDC_REDLINE_HEADER), "km/h at redline");
        EXPECT_TRUE(Text(hDlg, IDC_WORKBENCH_MESSAGE).starts_with("Tire 670.6 mm, as typed."));
    });
    // The next calculator starts metric, and a unit typed still counts; unticked, it is US again for the next.
    for (const bool bMetric : {true, false}) {
        RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
            EXPECT_EQ(platform::IsButtonChecked(Item(hDlg, IDC_METRIC)), bMetric);
            Click(hDlg, IDC_SAMPLE);
            Click(hDlg, IDC_WORKBENCH);
            TypeInto(hDlg, IDC_CRUISE_SPEED, "110");
            EXPECT_EQ(Text(hDlg, IDC_CRUISE_RPM1 + 3), bMetric ? "3089" : "4972");
            TypeInto(hDlg, IDC_CRUISE_SPEED, "70 mph");
            EXPECT_EQ(Text(hDlg, IDC_CRUISE_RPM1 + 3), "3164");
            if (bMetric)
                Click(hDlg, IDC_METRIC);
        });
    }
}

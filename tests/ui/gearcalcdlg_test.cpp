#include "ui/gearcalcdlg.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "calc/shiftchart.h"
#include "tests/support/samplerecord.h"
#include "tests/ui/calculator.h"
#include "ui/icons/icondata.h"
#include "ui/shiftchartplot.h"

namespace {

using Texts = std::vector<std::string>;
const SpeedTable kNoSpeeds = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
const std::string kNumber = "Please enter a number.";

// The calculator as a user first meets it, then the sample: the explanation leaves it alone, every keystroke
// recalculates the speeds and the shift chart, Clear empties it again, and Enter in a field closes it.
TEST_F(CalculatorTest, OpensEmptyRecalculatesAtEveryKeystrokeAndClosesWithEnter)
{
    const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pChart = platform::WidgetOf(platform::GetDlgItem(hDlg, IDC_SHIFT_CHART));
        const QImage emptyChart = pChart->grab().toImage();
        const auto expectEmpty = [&] {
            for (int nId : {IDC_RPM, IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4, IDC_GEAR5, IDC_GEAR6, IDC_REVERSE,
                            IDC_REAR_END, IDC_TIRE_OD})
                EXPECT_EQ(Text(hDlg, nId), "0") << nId;
            EXPECT_EQ(Speeds(hDlg), kNoSpeeds);
        };
        expectEmpty();
        EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDC_RPM));
        EXPECT_FALSE(platform::WidgetOf(hDlg)->windowIcon().isNull());
        EXPECT_EQ(platform::GetWindowText(hDlg), "Corvane Ratiograph");
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        EXPECT_EQ(Text(hDlg, IDC_GEAR2), "2.0");
        EXPECT_NE(pChart->grab().toImage(), emptyChart);
        int nExplained = 0;
        DriveDialogs(m_seam, [&](HWND hExplain) {
            ++nExplained;
            EXPECT_EQ(platform::GetDialogTemplateId(hExplain), IDD_EXPLAIN);
            EXPECT_EQ(platform::GetWindowOwner(hExplain), hDlg);
            PressKey(platform::GetDlgItem(hExplain, IDOK), Qt::Key_Return);
        });
        Click(platform::GetDlgItem(hDlg, IDC_HUH));
        EXPECT_EQ(nExplained, 1);
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        TypeInto(platform::GetDlgItem(hDlg, IDC_GEAR1), "3");
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "11.1");
        PressKey(platform::GetDlgItem(hDlg, IDC_GEAR1), Qt::Key_End);
        QTest::keyClicks(platform::WidgetOf(platform::GetDlgItem(hDlg, IDC_GEAR1)), QStringLiteral(".5"));
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), " 9.5");
        TypeInto(platform::GetDlgItem(hDlg, IDC_RPM), "0");
        EXPECT_EQ(Speeds(hDlg), (SpeedTable{" 0.0", " 0.0", " 0.0", " 0.0", " 0.0", "N/A", " 0.0"}));
        Click(platform::GetDlgItem(hDlg, IDC_CLEAR));
        expectEmpty();
        EXPECT_EQ(pChart->grab().toImage(), emptyChart);
        PressKey(platform::GetDlgItem(hDlg, IDC_TIRE_OD), Qt::Key_Return);
    });
    EXPECT_EQ(nResult, IDOK);
    EXPECT_TRUE(Prompts().empty());
}

QImage Argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage RenderedByQt(std::span<const std::uint8_t> svg, int nSize)
{
    QSvgRenderer renderer(QByteArray(reinterpret_cast<const char*>(svg.data()), static_cast<qsizetype>(svg.size())));
    QImage image(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return Argb(image);
}

// The window carries every PNG exactly as drawn, each with a transparent background, twice the pixels on a
// screen of twice the density, and the SVG as Qt draws it at any other size. Qt must draw the SVG as the tool
// that rendered the large PNGs did: it ignores what it does not support (a mask once cut the tread notches).
TEST_F(CalculatorTest, WindowCarriesTheIconAtEverySize)
{
    const std::vector<std::pair<int, std::span<const std::uint8_t>>> drawn = {
        {16, kIcon16Png}, {32, kIcon32Png}, {48, kIcon48Png}, {64, kIcon64Png}, {128, kIcon128Png}, {256, kIcon256Png},
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        const QIcon icon = platform::WidgetOf(hDlg)->windowIcon();
        QList<QSize> sizes;
        for (const auto& [nSize, png] : drawn) {
            const QImage expected = Argb(QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG"));
            sizes.append(QSize(nSize, nSize));
            EXPECT_EQ(expected.size(), QSize(nSize, nSize));
            EXPECT_EQ(qAlpha(expected.pixel(0, 0)), 0) << nSize;
            EXPECT_TRUE(Argb(icon.pixmap(QSize(nSize, nSize), 1.0).toImage()) == expected) << nSize;
            if (nSize <= 128) {
                const QPixmap sharp = icon.pixmap(QSize(nSize / 2, nSize / 2), 2.0);
                EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(nSize / 2, nSize / 2));
                EXPECT_TRUE(Argb(sharp.toImage()) == expected) << nSize << " at 2x";
            }
        }
        EXPECT_EQ(icon.availableSizes(), sizes);
        for (int nSize : {20, 24, 40, 512})
            EXPECT_TRUE(Argb(icon.pixmap(QSize(nSize, nSize), 1.0).toImage()) == RenderedByQt(kIconSvg, nSize))
                << nSize;
        const QImage byQt = RenderedByQt(kIconSvg, 256);
        const QImage byTool = Argb(QImage::fromData(kIcon256Png.data(), static_cast<int>(kIcon256Png.size()), "PNG"));
        int nDiffering = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const QRgb a = byQt.pixel(x, y), b = byTool.pixel(x, y);
                nDiffering += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))}) > 64;
            }
        }
        EXPECT_LT(nDiffering, 256 * 256 / 100) << "pixels Qt draws otherwise";
        PressKey(platform::GetDlgItem(hDlg, IDC_RPM), Qt::Key_Escape);
    });
}

// A prompt leaves the focus in the field with its whole text selected, so the next key replaces it; the record
// keeps an out-of-range value and computes with it, and keeps the previous value for a text that is no number.
// Close reads the fields and stays open on a bad one; Escape closes whatever the fields hold.
TEST_F(CalculatorTest, PromptsKeepTheFocusOnTheFieldAndTheRecordComputing)
{
    const int nResult = RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        HWND hRpm = platform::GetDlgItem(hDlg, IDC_RPM);
        HWND hGear1 = platform::GetDlgItem(hDlg, IDC_GEAR1);
        HWND hGear4 = platform::GetDlgItem(hDlg, IDC_GEAR4);
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        TypeInto(hRpm, "20000");
        EXPECT_EQ(Prompts(), Texts{"Please enter a number between 0 and 15000."});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "165.1");
        EXPECT_EQ(platform::GetFocus(), hRpm);
        EXPECT_EQ(platform::GetTextSelection(hRpm), std::make_pair(0, 5));

        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        PressKey(hGear1, Qt::Key_Home);
        QTest::keyClick(platform::WidgetOf(hGear1), Qt::Key_Minus);
        EXPECT_EQ(Text(hDlg, IDC_GEAR1), "-2.68");
        EXPECT_EQ(Prompts(), Texts{"Please enter a number between 0 and 50."});
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "-12.4");

        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        Prompts();
        TypeInto(hGear4, "");
        EXPECT_EQ(Prompts(), Texts{kNumber});
        EXPECT_EQ(platform::GetFocus(), hGear4);
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        // Each button writes the RPM field and recalculates once more: the bad field is prompted twice.
        Click(platform::GetDlgItem(hDlg, IDC_GAS));
        EXPECT_EQ(Prompts(), Texts(2, kNumber));
        Click(platform::GetDlgItem(hDlg, IDC_BRAKE));
        EXPECT_EQ(Prompts(), Texts(2, kNumber));
        EXPECT_EQ(Text(hDlg, IDC_RPM), "1500 ");
        EXPECT_EQ(platform::GetFocus(), hGear4);
        Click(platform::GetDlgItem(hDlg, IDOK));
        EXPECT_EQ(Prompts(), Texts{kNumber});
        EXPECT_TRUE(platform::IsInModalLoop(hDlg));
        // The preset prompts at every write until it rewrites the bad field (fourth gear is its fifth write).
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        EXPECT_EQ(Prompts(), Texts(4, kNumber));
        EXPECT_EQ(Speeds(hDlg), SampleSpeeds());
        platform::SetWindowText(hRpm, "99999");
        Prompts();
        Click(platform::GetDlgItem(hDlg, IDC_CLEAR));
        EXPECT_EQ(Prompts(), Texts{}) << "Clear rewrites RPM first";
        platform::SetWindowText(hGear1, "x");
        Prompts();
        PressKey(hGear1, Qt::Key_Escape);
        EXPECT_FALSE(platform::IsInModalLoop(hDlg));
    });
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_TRUE(Prompts().empty());
}

// Each button steps the field's text (not the record) by 100 and clamps only at its own end of the range; the
// shift chart is drawn whatever the record holds. The close box closes whatever the fields hold.
TEST_F(CalculatorTest, GasAndBrakeClampOnlyAtTheirOwnBound)
{
    const std::vector<std::tuple<const char*, int, const char*>> rows = {
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
        Click(platform::GetDlgItem(hDlg, IDC_SAMPLE));
        for (const auto& [pszRpm, nButton, pszExpected] : rows) {
            platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_RPM), pszRpm);
            Click(platform::GetDlgItem(hDlg, nButton));
            EXPECT_EQ(Text(hDlg, IDC_RPM), pszExpected) << pszRpm;
            EXPECT_FALSE(platform::WidgetOf(platform::GetDlgItem(hDlg, IDC_SHIFT_CHART))->grab().isNull()) << pszRpm;
        }
        platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_RPM), "1500");
        Prompts();
        Click(platform::GetDlgItem(hDlg, IDC_GAS));
        EXPECT_EQ(Text(hDlg, IDC_SPEED1), "13.2");
        platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_GEAR2), "x");
        platform::WidgetOf(hDlg)->close();
        EXPECT_FALSE(platform::IsInModalLoop(hDlg));
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

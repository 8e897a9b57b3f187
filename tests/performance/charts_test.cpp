// The charts as a painter draws them, call by call, held by a snapshot: every line, text, fill and marker, with its
// pen, brush and place. A chart drawn otherwise than before shows as the first call that differs.

#include <sstream>

#include <QApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <gtest/gtest.h>

#include "platform/performance/performanceview.h"
#include "platform/plotwidget.h"
#include "tests/support/samplerecord.h"
#include "tests/support/snapshot.h"
#include "tests/support/vehicles.h"
#include "ui/shiftchartplot.h"

namespace {

// A paint device whose engine writes each call as a line: the pen's colour, width and style, the brush, whether
// edges are smoothed and clipped, then the shape's points to a tenth of a pixel, or the text and where it stands.
class CPaintLog final : public QPaintDevice, QPaintEngine
{
public:
    explicit CPaintLog(QSize size) : QPaintEngine(AllFeatures), m_size(size) {}
    std::string Text() const { return m_out.str(); }

    QPaintEngine* paintEngine() const override { return const_cast<CPaintLog*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return m_type; }
    Type m_type = User; // Raster as a window's backing store
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override { Points("pixmap", &rect, 1); }
    void drawRects(const QRectF* pRects, int nRects) override { Points("rects", pRects, nRects); }
    void drawLines(const QLineF* pLines, int nLines) override { Points("lines", pLines, nLines); }
    void drawEllipse(const QRectF& rect) override { Points("ellipse", &rect, 1); }
    void drawPath(const QPainterPath& path) override
    {
        std::vector<QPointF> points;
        for (int i = 0; i < path.elementCount(); ++i)
            points.emplace_back(path.elementAt(i));
        Points("path", points.data(), int(points.size()));
    }
    void drawPolygon(const QPointF* pPoints, int nPoints, PolygonDrawMode mode) override
    {
        Points(mode == PolylineMode ? "polyline" : "polygon", pPoints, nPoints);
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override
    {
        Call("text \"" + item.text().toStdString() + "\"");
        m_out << ' ' << Number(at.x()) << ',' << Number(at.y()) << '\n';
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        const bool bDpi =
            metric == PdmDpiX || metric == PdmDpiY || metric == PdmPhysicalDpiX || metric == PdmPhysicalDpiY;
        if (metric == PdmDevicePixelRatioScaled)
            return int(devicePixelRatioFScale());
        return metric == PdmWidth ? m_size.width() : metric == PdmHeight ? m_size.height() : bDpi ? 96 : 32;
    }

private:
    static std::string Number(double value) { return QString::number(qRound(value * 10) / 10.0).toStdString(); }

    void Call(const std::string& strWhat)
    {
        const QPainter& p = *painter();
        const QPen pen = p.pen();
        m_out << strWhat << " pen " << pen.color().name(QColor::HexArgb).toStdString() << '/' << Number(pen.widthF())
              << '/' << int(pen.style()) << " brush "
              << (p.brush().style() == Qt::NoBrush ? "none" : p.brush().color().name().toStdString())
              << (p.testRenderHint(QPainter::Antialiasing) ? " smooth" : "")
              << (p.transform().isIdentity() ? "" : " transformed");
        if (p.hasClipping()) {
            const QRectF clip = p.clipBoundingRect();
            m_out << " clip " << Number(clip.left()) << ',' << Number(clip.top()) << ',' << Number(clip.right()) << ','
                  << Number(clip.bottom());
        }
    }
    template<typename T>
    void Points(const char* pszWhat, const T* pItems, int nItems)
    {
        Call(pszWhat);
        for (int i = 0; i < nItems; ++i) {
            if constexpr (std::is_same_v<T, QPointF>)
                m_out << ' ' << Number(pItems[i].x()) << ',' << Number(pItems[i].y());
            else if constexpr (std::is_same_v<T, QLineF>)
                m_out << ' ' << Number(pItems[i].x1()) << ',' << Number(pItems[i].y1()) << '-' << Number(pItems[i].x2())
                      << ',' << Number(pItems[i].y2());
            else
                m_out << ' ' << Number(pItems[i].x()) << ',' << Number(pItems[i].y()) << ','
                      << Number(pItems[i].width()) << 'x' << Number(pItems[i].height());
        }
        m_out << '\n';
    }

    QSize m_size;
    std::ostringstream m_out;
};

// The shift chart with setup B and a cruise speed, the wheel force chart in either unit, a chart with nothing to
// show, and lines that leave the ranges every way; each as the window paints it, in the standard palette, and the
// shift chart's lines again as a keystroke repaints them, within a small rectangle. Then the colours chosen for a
// dark and a high-contrast palette.
TEST(Charts, PaintedAsSnapshotted)
{
    GearSettings setupB = SampleSettings();
    setupB.m_fGear3 = 0;
    const ShiftChart chartB = ComputeShiftGears(setupB);
    const CPerformanceModel model = CPerformanceModel::Build(SportsCar()).value();
    PlotData outside;
    outside.xMax = outside.yMax = 10;
    outside.bottomTicks = outside.leftTicks = {{0, "0"}, {5, "5"}, {10, "10"}};
    outside.lines = {{{{-5, 5}, {15, 5}}, PlotPen::Series, "across", 0},
                     {{{7, -3}, {7, 13}}, PlotPen::Emphasis, "up", 0},
                     {{{-2, -2}, {12, 12}, {12, -2}}, PlotPen::Load, "out", 0},
                     {{{2, 2}, {4, 8}}, PlotPen::Ghost, "in", 0}};
    PlotData empty = MakeShiftChartPlot(ComputeShiftChart(GearSettings{}));
    const std::vector<std::pair<const char*, PlotData>> charts = {
        {"shift chart", MakeShiftChartPlot(ComputeShiftChart(SampleSettings(), &setupB), &chartB, CruiseSpeed{40})},
        {"force chart", MakeForceChart(model, model.Analyse(), {})},
        {"force chart, US", MakeForceChart(model, model.Analyse(), {ForceUnit::PoundsForce, SpeedUnit::MilesPerHour})},
        {"outside the ranges", outside},
        {"empty", empty},
    };
    const PlotColours colours = ChoosePlotColours(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    std::string made;
    for (const auto& [pszName, plot] : charts) {
        CPaintLog log(QSize(480, 320));
        QPainter painter(&log);
        const CPlotLayout layout(plot, QRectF(0, 0, 480, 320), font);
        layout.PaintBackdrop(painter, colours, plot.lines);
        layout.PaintLines(painter, colours, plot.lines);
        layout.PaintOverlay(painter, colours, plot);
        if (&plot == &charts.front().second) {
            log.m_type = QPaintEngine::Raster;
            layout.PaintLines(
                painter, colours, plot.lines, [](std::size_t) { return true; }, QRect(150, 100, 60, 40));
        }
        painter.end();
        made += std::string("==== ") + pszName + '\n' + plot.description + '\n' + log.Text();
    }
    // Lines stand out from the background by 3:1 and text by 4.5:1 (WCAG) in light, dark and high-contrast palettes.
    const auto palette = [](QColor base, QColor text, QColor highlight) {
        QPalette palette(base, base);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Highlight, highlight);
        return palette;
    };
    for (const QPalette& chosen :
         {QApplication::style()->standardPalette(),
          palette(QColor(0x2a, 0x2a, 0x2a), QColor(0xee, 0xee, 0xee), QColor(0x2a, 0x82, 0xda)),
          palette(Qt::black, Qt::white, QColor(0x1a, 0xeb, 0xff))}) {
        const PlotColours chosenColours = ChoosePlotColours(chosen);
        EXPECT_GE(ContrastRatio(chosenColours.text, chosenColours.background), 4.5);
        made += "==== colours";
        for (const QColor& colour :
             {chosenColours.background, chosenColours.text, chosenColours.frame, chosenColours.grid,
              chosenColours.guide, chosenColours.emphasis, chosenColours.ghost, chosenColours.SeriesColour(0),
              chosenColours.SeriesColour(7)}) {
            EXPECT_TRUE(colour == chosenColours.text || ContrastRatio(colour, chosenColours.background) >= 3.0 ||
                        colour == chosenColours.background);
            made += ' ' + colour.name().toStdString();
        }
        made += '\n';
    }
    // The chart's and the window's numbers as people type them: the fewest decimals that read back the same.
    EXPECT_EQ(NumberText(1e-15) + ' ' + NumberText(4.714) + ' ' + NumberText(6500) + ' ' + NumberText(0.1 + 0.2),
              "0.000000000000001 4.714 6500 0.30000000000000004");
    ExpectSnapshot(made, RATIOGRAPH_CHARTS_SNAPSHOT);
}

} // namespace

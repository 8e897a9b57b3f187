#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QStaticText>
#include <QWidget>

#include "platform/plot.h"

class QPainter;

// The colours of a plot, taken from the widget's palette and adjusted where the palette's own choice would be
// hard to see on the plot's background: every line at least 3:1, every text at least 4.5:1 (WCAG contrast).
struct PlotColours
{
    QColor background, text, frame, grid, guide, emphasis, ghost;
    std::vector<QColor> series; // told apart by hue, each legible on the background
    QColor SeriesColour(int nSeries) const;
};
PlotColours ChoosePlotColours(const QPalette& palette);
// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(const QColor& first, const QColor& second);

// A plot's axes laid out in a rectangle, ready to paint lines on any device: the widget, an image, an SVG or a
// PDF page. It keeps its own copy of the axes and is given the lines each time, so that a widget can keep one
// layout while its lines change.
class CPlotLayout
{
public:
    CPlotLayout(const PlotData& data, const QRectF& bounds, const QFont& font);

    using Lines = std::vector<PlotPolyline>;
    // The background, frame, grid, ticks and their labels (or the empty text), and the ghost lines: what changes
    // only with the axes or the comparison.
    void PaintBackdrop(QPainter& painter, const PlotColours& colours, const Lines& lines) const;
    // The polylines other than the ghosts, and their labels.
    void PaintLines(QPainter& painter, const PlotColours& colours, const Lines& lines) const;
    // The polylines (by their place in lines) that which picks; given a rectangle the painter clips to, only the
    // parts that reach into it.
    void PaintLines(QPainter& painter, const PlotColours& colours, const Lines& lines,
                    const std::function<bool(std::size_t)>& which, std::optional<QRect> within = std::nullopt) const;
    // The markers and the key, over everything else.
    void PaintOverlay(QPainter& painter, const PlotColours& colours, const PlotData& data) const;
    // The pixels to repaint when one of the lines becomes another over the same backdrop.
    QRect ChangedArea(const PlotPolyline& before, const PlotPolyline& after) const;

private:
    bool IsDrawable() const;
    QPointF Map(double x, double y) const;
    // A line's segment from point nEnd - 1 to nEnd, clipped to the ranges, in pixels.
    std::optional<QLineF> MappedSegment(const PlotPolyline& line, std::size_t nEnd) const;
    std::optional<QRectF> LabelRect(const PlotPolyline& line) const;
    QPen PenFor(const PlotColours& colours, PlotPen pen, int nSeries) const;
    // Where the key goes: the corner of the frame whose box the lines cross least.
    QRectF KeyRect(const PlotData& data) const;
    // The pixels that painting a segment or a label may touch.
    static QRect Reach(const QLineF& segment);
    static QRect Reach(const QRectF& label);

    PlotData m_axes; // the plot without its lines
    QRectF m_bounds;
    QFont m_font;
    QFontMetricsF m_metrics;
    QRectF m_area; // the data's frame
    double m_leftWidth = 0, m_rightWidth = 0;
    mutable std::map<std::string, QStaticText> m_labels;
};

// The font of a plot's ticks and labels, a little smaller than the dialog's.
QFont PlotFont(const QFont& widgetFont);

// The plot control behind ControlKind::Plot.
class CPlotWidget final : public QWidget
{
public:
    explicit CPlotWidget(QWidget* pParent);

    void SetData(PlotData data);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    bool IsSettled(std::size_t nLine) const;

    PlotData m_data;
    // For the current axes, ghosts, size, font and palette; rebuilt when any of them changes.
    std::optional<CPlotLayout> m_layout;
    PlotColours m_colours;
    QPixmap m_backdrop; // PaintBackdrop's picture
    // The backdrop with the guides that stayed put the last time a line moved; null when it needs painting again.
    QPixmap m_settledPicture;
    std::vector<bool> m_settled; // by line
};

#pragma once

#include <map>
#include <optional>
#include <string>

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPalette>
#include <QPixmap>
#include <QStaticText>
#include <QWidget>

#include "platform/plot.h"

class QPainter;

// The colours of a plot, taken from the widget's palette and adjusted where the palette's own choice would be
// hard to see on the plot's background: every line at least 3:1, every text at least 4.5:1 (WCAG contrast).
struct PlotColours
{
    QColor background, text, frame, grid, guide, emphasis, ghost;
};
PlotColours ChoosePlotColours(const QPalette& palette);
// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(const QColor& first, const QColor& second);

// A plot laid out in a rectangle, ready to paint on any device: the widget, an image, an SVG or a PDF page.
class CPlotLayout
{
public:
    CPlotLayout(const PlotData& data, const QRectF& bounds, const QFont& font);

    // The background, frame, grid, ticks and their labels (or the empty text), and the ghost lines: what changes
    // only with the axes or the comparison.
    void PaintBackdrop(QPainter& painter, const PlotColours& colours) const;
    // The other polylines and their labels, or with bGhosts only the ghost lines.
    void PaintLines(QPainter& painter, const PlotColours& colours, bool bGhosts = false) const;

private:
    bool IsDrawable() const;
    QPointF Map(double x, double y) const;

    const PlotData& m_data;
    QRectF m_bounds;
    QFont m_font;
    QFontMetricsF m_metrics;
    QRectF m_area; // the data's frame
    double m_nLeft = 0, m_nRight = 0;
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
    PlotData m_data;
    // For the current axes, ghosts, size, font and palette; rebuilt when any of them changes.
    std::optional<CPlotLayout> m_layout;
    PlotColours m_colours;
    QPixmap m_backdrop; // PaintBackdrop's picture
};

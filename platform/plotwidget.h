#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPalette>
#include <QPixmap>
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

    // The background, frame, grid, ticks and their labels (or the empty text), which change only with the axes.
    void PaintBackdrop(QPainter& painter, const PlotColours& colours) const;
    // The polylines and their labels.
    void PaintLines(QPainter& painter, const PlotColours& colours) const;

private:
    bool IsDrawable() const;
    QPointF Map(double x, double y) const;

    const PlotData& m_data;
    QRectF m_bounds;
    QFont m_font;
    QFontMetricsF m_metrics;
    QRectF m_area; // the data's frame
    double m_nLeft = 0, m_nRight = 0;
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
    QPixmap m_backdrop; // PaintBackdrop's picture for the current axes, size and palette
    QPalette m_backdropPalette;
};

#include "platform/plotwidget.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QPainter>
#include <QPainterPath>

#include "platform/widgetaccess.h"

namespace {

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// The part of a segment inside the ranges (Liang-Barsky), in data units; nothing when it misses them.
std::optional<std::pair<QPointF, QPointF>> ClipSegment(QPointF from, QPointF to, const PlotData& data)
{
    double t0 = 0, t1 = 1;
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {from.x() - data.xMin, data.xMax - from.x(), from.y() - data.yMin, data.yMax - from.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (!(t0 <= t1))
        return std::nullopt;
    return std::make_pair(QPointF(from.x() + t0 * dx, from.y() + t0 * dy),
                          QPointF(from.x() + t1 * dx, from.y() + t1 * dy));
}

bool IsDrawable(const PlotData& data)
{
    return data.emptyText.empty() && std::isfinite(data.xMax - data.xMin) && std::isfinite(data.yMax - data.yMin) &&
           data.xMax > data.xMin && data.yMax > data.yMin;
}

} // namespace

CPlotWidget::CPlotWidget(QWidget* pParent) : QWidget(pParent)
{
    setFocusPolicy(Qt::NoFocus);
}

void CPlotWidget::SetData(PlotData data)
{
    m_data = std::move(data);
    update();
}

void CPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont tickFont = font();
    tickFont.setPointSizeF(font().pointSizeF() * 0.85);
    painter.setFont(tickFont);
    const QFontMetrics metrics(tickFont);
    const QPalette& colours = palette();

    painter.fillRect(rect(), colours.color(QPalette::Base));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!IsDrawable(m_data)) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, ToQString(m_data.emptyText));
        return;
    }

    int nLeft = metrics.horizontalAdvance(ToQString(m_data.leftUnit));
    for (const PlotTick& tick : m_data.leftTicks)
        nLeft = std::max(nLeft, metrics.horizontalAdvance(ToQString(tick.text)));
    const int nRight = std::max(metrics.horizontalAdvance(ToQString(m_data.topUnit)),
                                metrics.horizontalAdvance(ToQString(m_data.bottomUnit)));
    const int nLine = metrics.height();
    const QRectF area = QRectF(rect()).adjusted(nLeft + 6, nLine + 3, -(nRight + 6), -(nLine + 3));
    if (area.width() < 10 || area.height() < 10)
        return;
    auto mapX = [&](double x) {
        return area.left() + (x - m_data.xMin) / (m_data.xMax - m_data.xMin) * area.width();
    };
    auto mapY = [&](double y) {
        return area.bottom() - (y - m_data.yMin) / (m_data.yMax - m_data.yMin) * area.height();
    };

    // Grid and ticks; a label that would run into the one before it is left out.
    const QColor grid = colours.color(QPalette::Midlight);
    const QColor text = colours.color(QPalette::Text);
    auto drawAcross = [&](const std::vector<PlotTick>& ticks, bool bTop) {
        // Along the top, the corner belongs to the side axis's unit.
        double lastRight = bTop ? 2 + metrics.horizontalAdvance(ToQString(m_data.leftUnit)) : -1e9;
        for (const PlotTick& tick : ticks) {
            const double x = mapX(tick.value);
            if (x < area.left() - 0.5 || x > area.right() + 0.5)
                continue;
            painter.setPen(grid);
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            const QString label = ToQString(tick.text);
            const double nWidth = metrics.horizontalAdvance(label);
            // The corner right of the frame belongs to the unit.
            const double left = std::clamp(x - nWidth / 2, 0.0, area.right() + 1 - nWidth);
            if (left < lastRight + 3)
                continue;
            lastRight = left + nWidth;
            painter.setPen(text);
            const double baseline = bTop ? area.top() - 3 - metrics.descent() : area.bottom() + 2 + metrics.ascent();
            painter.drawText(QPointF(left, baseline), label);
        }
    };
    drawAcross(m_data.bottomTicks, false);
    drawAcross(m_data.topTicks, true);
    double lastTop = 1e9;
    for (const PlotTick& tick : m_data.leftTicks) {
        const double y = mapY(tick.value);
        if (y < area.top() - 0.5 || y > area.bottom() + 0.5)
            continue;
        painter.setPen(grid);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        // Labels at the ends stay beside the frame, clear of the corner units.
        const double top = std::clamp(y - nLine / 2.0, area.top(), area.bottom() - nLine);
        if (top + nLine > lastTop - 1)
            continue;
        lastTop = top;
        painter.setPen(text);
        painter.drawText(QRectF(2, top, nLeft, nLine), Qt::AlignRight | Qt::AlignVCenter, ToQString(tick.text));
    }
    painter.setPen(text);
    painter.drawText(QRectF(2, 1, nLeft + 4, nLine), Qt::AlignLeft, ToQString(m_data.leftUnit));
    painter.drawText(QRectF(area.right() + 4, 1, nRight, nLine), Qt::AlignLeft, ToQString(m_data.topUnit));
    painter.drawText(QRectF(area.right() + 4, area.bottom() + 2, nRight, nLine), Qt::AlignLeft,
                     ToQString(m_data.bottomUnit));
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawRect(area);

    for (const PlotPolyline& line : m_data.lines) {
        const bool bEmphasis = line.pen == PlotPen::Emphasis;
        painter.setPen(QPen(bEmphasis ? colours.color(QPalette::Highlight) : colours.color(QPalette::Dark),
                            bEmphasis ? 2.0 : 1.0));
        for (std::size_t i = 1; i < line.points.size(); ++i) {
            const auto clipped = ClipSegment({line.points[i - 1].first, line.points[i - 1].second},
                                             {line.points[i].first, line.points[i].second}, m_data);
            if (clipped)
                painter.drawLine(QPointF(mapX(clipped->first.x()), mapY(clipped->first.y())),
                                 QPointF(mapX(clipped->second.x()), mapY(clipped->second.y())));
        }
        if (line.label.empty() || line.points.empty())
            continue;
        const auto [x, y] = line.points.back();
        if (x < m_data.xMin || x > m_data.xMax || y < m_data.yMin || y > m_data.yMax)
            continue;
        const QString label = ToQString(line.label);
        const double nWidth = metrics.horizontalAdvance(label);
        const double left = std::min(mapX(x) + 2, area.right() - nWidth - 1);
        painter.setPen(text);
        painter.drawText(QPointF(left, std::min(mapY(y) + 1 + metrics.ascent(), area.bottom() - metrics.descent())),
                         label);
    }
}

void platform::SetPlotData(HWND hPlot, PlotData data)
{
    if (auto* pPlot = dynamic_cast<CPlotWidget*>(WidgetOf(hPlot)))
        pPlot->SetData(std::move(data));
}

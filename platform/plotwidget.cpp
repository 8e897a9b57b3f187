#include "platform/plotwidget.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include <QAccessibleWidget>
#include <QEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/qtext.h"
#include "platform/widgetaccess.h"

namespace {

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

double RelativeLuminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// The preferred colour, moved towards the text colour just far enough to stand out from the background.
QColor Legible(const QColor& preferred, const QColor& text, const QColor& background, double minRatio)
{
    for (int nStep = 0; nStep <= 20; ++nStep) {
        const double t = nStep / 20.0;
        const QColor mixed = QColor::fromRgbF(float(preferred.redF() * (1 - t) + text.redF() * t),
                                              float(preferred.greenF() * (1 - t) + text.greenF() * t),
                                              float(preferred.blueF() * (1 - t) + text.blueF() * t));
        if (ContrastRatio(mixed, background) >= minRatio)
            return mixed;
    }
    return text;
}

bool SameTicks(const std::vector<PlotTick>& first, const std::vector<PlotTick>& second)
{
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [](const PlotTick& a, const PlotTick& b) { return a.value == b.value && a.text == b.text; });
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

PlotColours ChoosePlotColours(const QPalette& palette)
{
    constexpr double kLine = 3.0;
    constexpr double kText = 4.5;
    PlotColours colours;
    colours.background = palette.color(QPalette::Base);
    colours.text = palette.color(QPalette::Text);
    if (ContrastRatio(colours.text, colours.background) < kText) {
        colours.text = ContrastRatio(Qt::black, colours.background) > ContrastRatio(Qt::white, colours.background)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    }
    colours.frame = Legible(palette.color(QPalette::Dark), colours.text, colours.background, kLine);
    colours.grid = Legible(palette.color(QPalette::Midlight), colours.text, colours.background, kLine);
    colours.guide = colours.frame;
    colours.emphasis = Legible(palette.color(QPalette::Highlight), colours.text, colours.background, kLine);
    colours.ghost = Legible(palette.color(QPalette::PlaceholderText), colours.text, colours.background, kLine);
    // Hues a colour-blind reader still tells apart (Okabe and Ito's), then a few more for long gearboxes; each moved
    // towards the text colour as far as the background needs.
    for (const QRgb rgb :
         {0x0072b2u, 0xd55e00u, 0x009e73u, 0xcc79a7u, 0xe69f00u, 0x56b4e9u, 0x7f5a00u, 0x8a2be2u, 0x2e8b57u, 0xb22222u})
        colours.series.push_back(Legible(QColor::fromRgb(rgb), colours.text, colours.background, kLine));
    return colours;
}

QColor PlotColours::SeriesColour(int nSeries) const
{
    if (nSeries < 0 || series.empty())
        return text;
    return series[static_cast<std::size_t>(nSeries) % series.size()];
}

// Where everything of a plot goes in a rectangle: the frame of the data area and the data-to-pixel mapping.
CPlotLayout::CPlotLayout(const PlotData& data, const QRectF& bounds, const QFont& font)
    : m_bounds(bounds), m_font(font), m_metrics(font)
{
    m_axes.xMin = data.xMin;
    m_axes.xMax = data.xMax;
    m_axes.yMin = data.yMin;
    m_axes.yMax = data.yMax;
    m_axes.bottomTicks = data.bottomTicks;
    m_axes.topTicks = data.topTicks;
    m_axes.leftTicks = data.leftTicks;
    m_axes.bottomUnit = data.bottomUnit;
    m_axes.topUnit = data.topUnit;
    m_axes.leftUnit = data.leftUnit;
    m_axes.emptyText = data.emptyText;
    m_leftWidth = m_metrics.horizontalAdvance(ToQString(data.leftUnit));
    for (const PlotTick& tick : data.leftTicks)
        m_leftWidth = std::max(m_leftWidth, m_metrics.horizontalAdvance(ToQString(tick.text)));
    m_rightWidth = std::max(m_metrics.horizontalAdvance(ToQString(data.topUnit)),
                            m_metrics.horizontalAdvance(ToQString(data.bottomUnit)));
    const double lineHeight = m_metrics.height();
    m_area = bounds.adjusted(m_leftWidth + 6, lineHeight + 3, -(m_rightWidth + 6), -(lineHeight + 3));
}

bool CPlotLayout::IsDrawable() const
{
    return m_axes.emptyText.empty() && std::isfinite(m_axes.xMax - m_axes.xMin) &&
           std::isfinite(m_axes.yMax - m_axes.yMin) && m_axes.xMax > m_axes.xMin && m_axes.yMax > m_axes.yMin &&
           m_area.width() >= 10 && m_area.height() >= 10;
}

QPointF CPlotLayout::Map(double x, double y) const
{
    return {m_area.left() + (x - m_axes.xMin) / (m_axes.xMax - m_axes.xMin) * m_area.width(),
            m_area.bottom() - (y - m_axes.yMin) / (m_axes.yMax - m_axes.yMin) * m_area.height()};
}

void CPlotLayout::PaintBackdrop(QPainter& painter, const PlotColours& colours, const Lines& lines) const
{
    painter.save();
    painter.setFont(m_font);
    painter.fillRect(m_bounds, colours.background);
    painter.setPen(colours.frame);
    painter.drawRect(m_bounds.adjusted(0, 0, -1, -1));
    if (!IsDrawable()) {
        painter.setPen(colours.text);
        painter.drawText(m_bounds, Qt::AlignCenter | Qt::TextWordWrap, ToQString(m_axes.emptyText));
        painter.restore();
        return;
    }
    const QPen gridPen(colours.grid, 1.0, Qt::DotLine);
    const double lineHeight = m_metrics.height();
    // Labels that would run into the one before them are left out.
    auto drawAcross = [&](const std::vector<PlotTick>& ticks, bool bTop) {
        // Along the top, the corner belongs to the side axis's unit.
        double lastRight = bTop ? m_bounds.left() + 2 + m_metrics.horizontalAdvance(ToQString(m_axes.leftUnit)) : -1e9;
        for (const PlotTick& tick : ticks) {
            const double x = Map(tick.value, m_axes.yMin).x();
            if (x < m_area.left() - 0.5 || x > m_area.right() + 0.5)
                continue;
            painter.setPen(gridPen);
            painter.drawLine(QPointF(x, m_area.top()), QPointF(x, m_area.bottom()));
            const QString label = ToQString(tick.text);
            const double labelWidth = m_metrics.horizontalAdvance(label);
            // The corner right of the frame belongs to the unit.
            const double left = std::clamp(x - labelWidth / 2, m_bounds.left(), m_area.right() + 1 - labelWidth);
            if (left < lastRight + 3)
                continue;
            lastRight = left + labelWidth;
            painter.setPen(colours.text);
            const double baseline =
                bTop ? m_area.top() - 3 - m_metrics.descent() : m_area.bottom() + 2 + m_metrics.ascent();
            painter.drawText(QPointF(left, baseline), label);
        }
    };
    drawAcross(m_axes.bottomTicks, false);
    drawAcross(m_axes.topTicks, true);
    double lastTop = 1e9;
    for (const PlotTick& tick : m_axes.leftTicks) {
        const double y = Map(m_axes.xMin, tick.value).y();
        if (y < m_area.top() - 0.5 || y > m_area.bottom() + 0.5)
            continue;
        painter.setPen(gridPen);
        painter.drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
        // Labels at the ends stay beside the frame, clear of the corner units.
        const double top = std::clamp(y - lineHeight / 2.0, m_area.top(), m_area.bottom() - lineHeight);
        if (top + lineHeight > lastTop - 1)
            continue;
        lastTop = top;
        painter.setPen(colours.text);
        painter.drawText(QRectF(m_bounds.left() + 2, top, m_leftWidth, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                         ToQString(tick.text));
    }
    painter.setPen(colours.text);
    painter.drawText(QRectF(m_bounds.left() + 2, m_bounds.top() + 1, m_leftWidth + 4, lineHeight), Qt::AlignLeft,
                     ToQString(m_axes.leftUnit));
    painter.drawText(QRectF(m_area.right() + 4, m_bounds.top() + 1, m_rightWidth, lineHeight), Qt::AlignLeft,
                     ToQString(m_axes.topUnit));
    painter.drawText(QRectF(m_area.right() + 4, m_area.bottom() + 2, m_rightWidth, lineHeight), Qt::AlignLeft,
                     ToQString(m_axes.bottomUnit));
    painter.setPen(colours.frame);
    painter.drawRect(m_area);
    painter.restore();
    PaintLines(painter, colours, lines, [&](std::size_t nLine) { return lines[nLine].pen == PlotPen::Ghost; });
}

void CPlotLayout::PaintLines(QPainter& painter, const PlotColours& colours, const Lines& lines) const
{
    PaintLines(painter, colours, lines, [&](std::size_t nLine) { return lines[nLine].pen != PlotPen::Ghost; });
}

void CPlotLayout::PaintLines(QPainter& painter, const PlotColours& colours, const Lines& lines,
                             const std::function<bool(std::size_t)>& which, std::optional<QRect> within) const
{
    if (!IsDrawable())
        return;
    const bool bRaster = painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster;
    painter.save();
    painter.setFont(m_font);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t nLine = 0; nLine < lines.size(); ++nLine) {
        if (!which(nLine))
            continue;
        const PlotPolyline& line = lines[nLine];
        painter.setPen(PenFor(colours, line.pen, line.nSeries));
        // On screen, separate segments take the raster engine's fast path, which a keystroke needs. Elsewhere,
        // and for a dash pattern that should run on around corners, one path per polyline: a vector file then
        // holds each line as one element.
        QPainterPath path;
        std::vector<QLineF> segments;
        std::optional<QPointF> lastEnd;
        for (std::size_t i = 1; i < line.points.size(); ++i) {
            const std::optional<QLineF> segment = MappedSegment(line, i);
            if (!segment || (within && !within->intersects(Reach(*segment))))
                continue;
            const QPointF from = segment->p1();
            const QPointF to = segment->p2();
            segments.emplace_back(from, to);
            if (from != lastEnd)
                path.moveTo(from);
            path.lineTo(to);
            lastEnd = to;
        }
        if (bRaster && painter.pen().style() == Qt::SolidLine)
            painter.drawLines(segments.data(), static_cast<int>(segments.size()));
        else if (!path.isEmpty())
            painter.strokePath(path, painter.pen());
        const std::optional<QRectF> labelRect = LabelRect(line);
        if (!labelRect || (within && !within->intersects(Reach(*labelRect))))
            continue;
        // On the background, so that a line running under it never hides it.
        painter.fillRect(labelRect->adjusted(-1, 0, 1, 0), colours.background);
        painter.setPen(colours.text);
        painter.drawStaticText(labelRect->topLeft(), m_labels.at(line.label));
    }
    painter.restore();
}

std::optional<QLineF> CPlotLayout::MappedSegment(const PlotPolyline& line, std::size_t nEnd) const
{
    const auto clipped = ClipSegment({line.points[nEnd - 1].first, line.points[nEnd - 1].second},
                                     {line.points[nEnd].first, line.points[nEnd].second}, m_axes);
    if (!clipped)
        return std::nullopt;
    return QLineF(Map(clipped->first.x(), clipped->first.y()), Map(clipped->second.x(), clipped->second.y()));
}

std::optional<QRectF> CPlotLayout::LabelRect(const PlotPolyline& line) const
{
    if (line.label.empty() || line.points.empty())
        return std::nullopt;
    const auto [x, y] = line.points.back();
    if (x < m_axes.xMin || x > m_axes.xMax || y < m_axes.yMin || y > m_axes.yMax)
        return std::nullopt;
    // Laid out once: the labels stay while the lines move.
    auto it = m_labels.find(line.label);
    if (it == m_labels.end()) {
        it = m_labels.emplace(line.label, QStaticText(ToQString(line.label))).first;
        it->second.prepare(QTransform(), m_font);
    }
    const QSizeF size = it->second.size();
    const QPointF end = Map(x, y);
    return QRectF(QPointF(std::min(end.x() + 2, m_area.right() - size.width() - 1),
                          std::min(end.y() + 1, m_area.bottom() - size.height())),
                  size);
}

QPen CPlotLayout::PenFor(const PlotColours& colours, PlotPen pen, int nSeries) const
{
    switch (pen) {
    case PlotPen::Guide:
        return QPen(colours.guide, 1.0);
    case PlotPen::Emphasis:
        return QPen(colours.emphasis, 2.0);
    case PlotPen::Ghost:
        return QPen(colours.ghost, 1.5, Qt::DashLine);
    case PlotPen::Series:
        return QPen(colours.SeriesColour(nSeries), 1.75);
    case PlotPen::Load:
        return QPen(colours.text, 2.0, Qt::DashDotLine);
    }
    return QPen(colours.text);
}

QRectF CPlotLayout::KeyRect(const PlotData& data) const
{
    constexpr double kStroke = 22;
    double width = 0;
    for (const PlotKeyEntry& entry : data.key)
        width = std::max(width, m_metrics.horizontalAdvance(ToQString(entry.text)));
    const QSizeF size(width + kStroke + 12, m_metrics.height() * double(data.key.size()) + 6);
    const QRectF area = m_area.adjusted(4, 4, -4, -4);
    const QRectF corners[] = {QRectF(QPointF(area.right() - size.width(), area.top()), size),
                              QRectF(area.topLeft(), size),
                              QRectF(QPointF(area.right() - size.width(), area.bottom() - size.height()), size),
                              QRectF(QPointF(area.left(), area.bottom() - size.height()), size)};
    // The first corner crossed by the fewest segments; each segment mapped once for all four.
    std::array<QRect, std::size(corners)> boxes;
    std::array<int, std::size(corners)> crossings{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = corners[i].toAlignedRect();
    for (const PlotPolyline& line : data.lines) {
        for (std::size_t nEnd = 1; nEnd < line.points.size(); ++nEnd) {
            if (const std::optional<QLineF> segment = MappedSegment(line, nEnd)) {
                const QRect reach = Reach(*segment);
                for (std::size_t i = 0; i < boxes.size(); ++i)
                    crossings[i] += reach.intersects(boxes[i]);
            }
        }
    }
    return corners[std::min_element(crossings.begin(), crossings.end()) - crossings.begin()];
}

void CPlotLayout::PaintOverlay(QPainter& painter, const PlotColours& colours, const PlotData& data) const
{
    if (!IsDrawable() || (data.markers.empty() && data.key.empty()))
        return;
    painter.save();
    painter.setFont(m_font);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PlotMarker& marker : data.markers) {
        if (marker.x < m_axes.xMin || marker.x > m_axes.xMax || marker.y < m_axes.yMin || marker.y > m_axes.yMax)
            continue;
        const QPointF at = Map(marker.x, marker.y);
        painter.setPen(QPen(colours.text, 1.0));
        painter.setBrush(colours.SeriesColour(marker.nSeries));
        painter.drawEllipse(at, 3.5, 3.5);
        if (!marker.label.empty()) {
            // Right of the dot, or left of it where the frame ends first.
            const QString label = ToQString(marker.label);
            const double width = m_metrics.horizontalAdvance(label);
            const double x = at.x() + 5 + width > m_area.right() ? at.x() - 5 - width : at.x() + 5;
            painter.drawText(QPointF(x, at.y() - 4), label);
        }
    }
    if (!data.key.empty()) {
        const QRectF box = KeyRect(data);
        painter.setPen(QPen(colours.frame, 1.0));
        painter.setBrush(colours.background);
        painter.drawRect(box);
        double y = box.top() + 3;
        for (const PlotKeyEntry& entry : data.key) {
            const double middle = y + m_metrics.height() / 2;
            painter.setPen(PenFor(colours, entry.pen, entry.nSeries));
            painter.drawLine(QPointF(box.left() + 4, middle), QPointF(box.left() + 24, middle));
            painter.setPen(colours.text);
            painter.drawText(QRectF(box.left() + 28, y, box.width() - 30, m_metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, ToQString(entry.text));
            y += m_metrics.height();
        }
    }
    painter.restore();
}

QRect CPlotLayout::Reach(const QLineF& segment)
{
    // Half the widest pen, and antialiasing's pixel beside it.
    return QRectF(segment.p1(), segment.p2()).normalized().adjusted(-3, -3, 3, 3).toAlignedRect();
}

QRect CPlotLayout::Reach(const QRectF& label)
{
    return label.adjusted(-2, -2, 2, 2).toAlignedRect();
}

QRect CPlotLayout::ChangedArea(const PlotPolyline& before, const PlotPolyline& after) const
{
    QRect area;
    if (!IsDrawable())
        return area;
    const bool bSameShape = before.pen == after.pen && before.points.size() == after.points.size();
    const auto addSegments = [&](const PlotPolyline& line, std::size_t nEnd) {
        if (const std::optional<QLineF> segment = MappedSegment(line, nEnd))
            area |= Reach(*segment);
    };
    for (std::size_t i = 1; i < std::max(before.points.size(), after.points.size()); ++i) {
        if (bSameShape && before.points[i - 1] == after.points[i - 1] && before.points[i] == after.points[i])
            continue;
        if (i < before.points.size())
            addSegments(before, i);
        if (i < after.points.size())
            addSegments(after, i);
    }
    if (!bSameShape || before.label != after.label ||
        (!before.points.empty() && before.points.back() != after.points.back())) {
        for (const PlotPolyline* pLine : {&before, &after}) {
            if (const std::optional<QRectF> label = LabelRect(*pLine))
                area |= Reach(*label);
        }
    }
    return area;
}

QFont PlotFont(const QFont& widgetFont)
{
    QFont font = widgetFont;
    font.setPointSizeF(widgetFont.pointSizeF() * 0.85);
    return font;
}

namespace {

// Screen readers meet the plot as a chart, with its name and its description in words.
QAccessibleInterface* PlotAccessible(const QString&, QObject* pObject)
{
    auto* pPlot = dynamic_cast<CPlotWidget*>(pObject);
    return pPlot != nullptr ? new QAccessibleWidget(pPlot, QAccessible::Chart) : nullptr;
}

} // namespace

CPlotWidget::CPlotWidget(QWidget* pParent) : QWidget(pParent)
{
    static const bool bFactoryInstalled = (QAccessible::installFactory(PlotAccessible), true);
    Q_UNUSED(bFactoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPlotWidget::SetData(PlotData data)
{
    if (data.description != m_data.description)
        setAccessibleDescription(ToQString(data.description));
    const auto ghosts = [](const PlotData& plot) {
        std::vector<std::vector<std::pair<double, double>>> lines;
        for (const PlotPolyline& line : plot.lines) {
            if (line.pen == PlotPen::Ghost)
                lines.push_back(line.points);
        }
        return lines;
    };
    const bool bSameBackdrop = data.xMin == m_data.xMin && data.xMax == m_data.xMax && data.yMin == m_data.yMin &&
                               data.yMax == m_data.yMax && SameTicks(data.bottomTicks, m_data.bottomTicks) &&
                               SameTicks(data.topTicks, m_data.topTicks) &&
                               SameTicks(data.leftTicks, m_data.leftTicks) && data.emptyText == m_data.emptyText &&
                               data.leftUnit == m_data.leftUnit && data.topUnit == m_data.topUnit &&
                               data.bottomUnit == m_data.bottomUnit && ghosts(data) == ghosts(m_data);
    // Over the same backdrop, only around what moved: typing into one gear's field leaves most lines be. One
    // rectangle, not a region: the raster engine clips lines to a rectangle much faster.
    QRect changed;
    std::vector<bool> moved(data.lines.size(), true);
    const bool bWhole = !bSameBackdrop || !m_layout || data.lines.size() != m_data.lines.size() ||
                        data.markers != m_data.markers || data.key != m_data.key;
    for (std::size_t i = 0; !bWhole && i < data.lines.size(); ++i) {
        const PlotPolyline& before = m_data.lines[i];
        const PlotPolyline& after = data.lines[i];
        moved[i] = before.pen != after.pen || before.points != after.points || before.label != after.label;
        changed |= m_layout->ChangedArea(before, after);
    }
    // The guides that stay put while the user types go into the settled picture; one that moves comes out, and
    // the others that stayed with it go in.
    bool bResettle = bWhole;
    for (std::size_t i = 0; !bResettle && i < moved.size(); ++i)
        bResettle = moved[i] && IsSettled(i);
    m_data = std::move(data);
    if (bResettle) {
        m_settled.assign(m_data.lines.size(), false);
        for (std::size_t i = 0; i < m_data.lines.size(); ++i)
            m_settled[i] = m_data.lines[i].pen == PlotPen::Guide && (bWhole || !moved[i]);
        m_settledPicture = QPixmap();
    }
    if (!bSameBackdrop)
        m_layout.reset();
    if (bWhole)
        update();
    else if (!changed.isEmpty())
        update(changed);
}

bool CPlotWidget::IsSettled(std::size_t nLine) const
{
    return nLine < m_settled.size() && m_settled[nLine];
}

void CPlotWidget::paintEvent(QPaintEvent* pEvent)
{
    // The frame, grid, ticks, labels and a comparison's ghost lines change only with the axes, the size or the
    // palette: a keystroke that moves only the current lines redraws only those.
    const qreal ratio = devicePixelRatioF();
    if (!m_layout || m_backdrop.size() != size() * ratio) {
        m_layout.emplace(m_data, QRectF(rect()), PlotFont(font()));
        m_colours = ChoosePlotColours(palette());
        m_backdrop = QPixmap(size() * ratio);
        m_backdrop.setDevicePixelRatio(ratio);
        QPainter backdropPainter(&m_backdrop);
        m_layout->PaintBackdrop(backdropPainter, m_colours, m_data.lines);
        m_settledPicture = QPixmap();
    }
    if (m_settledPicture.isNull()) {
        // Settled guides are drawn before a moving one that comes earlier in the plot: the guides share one pen,
        // so the order does not show.
        m_settledPicture = m_backdrop.copy();
        m_settledPicture.setDevicePixelRatio(ratio);
        QPainter settledPainter(&m_settledPicture);
        m_layout->PaintLines(settledPainter, m_colours, m_data.lines,
                             [&](std::size_t nLine) { return IsSettled(nLine); });
    }
    QPainter painter(this);
    for (const QRect& rect : pEvent->region())
        painter.drawPixmap(rect, m_settledPicture, QRectF(rect.topLeft() * ratio, rect.size() * ratio));
    m_layout->PaintLines(
        painter, m_colours, m_data.lines,
        [&](std::size_t nLine) { return m_data.lines[nLine].pen != PlotPen::Ghost && !IsSettled(nLine); },
        pEvent->rect());
    m_layout->PaintOverlay(painter, m_colours, m_data);
}

void CPlotWidget::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange || pEvent->type() == QEvent::FontChange)
        m_layout.reset();
    QWidget::changeEvent(pEvent);
}

void platform::SetPlotData(HWND hPlot, PlotData data)
{
    if (auto* pPlot = dynamic_cast<CPlotWidget*>(WidgetOf(hPlot)))
        pPlot->SetData(std::move(data));
}

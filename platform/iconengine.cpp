#include "platform/iconengine.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include "platform/dialogtemplate.h"

CResourceIconEngine::CResourceIconEngine(const IconResource& icon)
    : m_svg(reinterpret_cast<const char*>(icon.svg.data()), static_cast<qsizetype>(icon.svg.size()))
{
    for (std::span<const std::uint8_t> png : icon.pngs) {
        QPixmap pixmap;
        if (pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG"))
            m_pngs.push_back(pixmap);
    }
    std::sort(m_pngs.begin(), m_pngs.end(),
              [](const QPixmap& a, const QPixmap& b) { return a.width() * a.height() < b.width() * b.height(); });
    if (!QSvgRenderer(m_svg).isValid())
        m_svg.clear();
}

void CResourceIconEngine::paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal fRatio = pPainter->device() != nullptr ? pPainter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap((QSizeF(rect.size()) * fRatio).toSize(), mode, state);
    picture.setDevicePixelRatio(fRatio);
    pPainter->drawPixmap(rect, picture);
}

QSize CResourceIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    return Picture(size).size();
}

QPixmap CResourceIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State)
{
    QPixmap picture = Picture(size);
    // Disabled and selected icons look as the style draws them from the normal one, as with any other icon.
    if (mode != QIcon::Normal && !picture.isNull()) {
        QStyleOption option;
        option.palette = QApplication::palette();
        const QPixmap styled = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        if (!styled.isNull())
            picture = styled;
    }
    return picture;
}

QList<QSize> CResourceIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const QPixmap& png : m_pngs)
        sizes.append(png.size());
    return sizes;
}

QString CResourceIconEngine::key() const
{
    return QStringLiteral("CResourceIconEngine");
}

QIconEngine* CResourceIconEngine::clone() const
{
    return new CResourceIconEngine(*this);
}

bool CResourceIconEngine::isNull()
{
    return m_pngs.empty() && m_svg.isEmpty();
}

QPixmap CResourceIconEngine::Picture(const QSize& size)
{
    if (size.isEmpty())
        return {};
    const auto sameSize = [&](const QPixmap& picture) {
        return picture.size() == size;
    };
    if (auto it = std::find_if(m_pngs.begin(), m_pngs.end(), sameSize); it != m_pngs.end())
        return *it;
    if (auto it = std::find_if(m_rendered.begin(), m_rendered.end(), sameSize); it != m_rendered.end())
        return *it;
    if (!m_svg.isEmpty()) {
        constexpr std::size_t kKeptRenderings = 8; // a window asks for a few sizes, again and again
        if (m_rendered.size() == kKeptRenderings)
            m_rendered.erase(m_rendered.begin());
        return m_rendered.emplace_back(Rendered(size));
    }
    if (m_pngs.empty())
        return {};
    // Without a drawing, the smallest PNG that is large enough, scaled down; the largest one when none is.
    const auto it = std::find_if(m_pngs.begin(), m_pngs.end(), [&](const QPixmap& png) {
        return png.width() >= size.width() && png.height() >= size.height();
    });
    const QPixmap& source = it != m_pngs.end() ? *it : m_pngs.back();
    return source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap CResourceIconEngine::Rendered(const QSize& size) const
{
    QSvgRenderer renderer(m_svg);
    QImage image(renderer.defaultSize().scaled(size, Qt::KeepAspectRatio), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

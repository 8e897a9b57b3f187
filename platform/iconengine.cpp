#include "platform/iconengine.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "platform/dialogtemplate.h"
#include "platform/printsvg.h"

namespace {

// A picture of IconResource::pictures; null when its bytes do not hold as many pixels as it says.
QPixmap PictureOf(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t kHeader = 8;
    if (bytes.size() < kHeader)
        return {};
    const auto number = [&](std::size_t nAt) {
        return int(bytes[nAt]) | int(bytes[nAt + 1]) << 8 | int(bytes[nAt + 2]) << 16 | int(bytes[nAt + 3]) << 24;
    };
    const int nWidth = number(0);
    const int nHeight = number(4);
    if (nWidth <= 0 || nHeight <= 0 || nWidth > 4096 || nHeight > 4096 ||
        bytes.size() != kHeader + std::size_t(nWidth) * std::size_t(nHeight) * 4)
        return {};
    // The image reads the bytes where they are; the pixmap copies them.
    const QImage image(bytes.data() + kHeader, nWidth, nHeight, nWidth * 4, QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

} // namespace

CResourceIconEngine::CResourceIconEngine(const IconResource& icon)
    : m_svg(reinterpret_cast<const char*>(icon.svg.data()), static_cast<qsizetype>(icon.svg.size()))
{
    for (std::span<const std::uint8_t> bytes : icon.pictures) {
        if (QPixmap picture = PictureOf(bytes); !picture.isNull())
            m_pictures.push_back(std::move(picture));
    }
    std::sort(m_pictures.begin(), m_pictures.end(),
              [](const QPixmap& a, const QPixmap& b) { return a.width() * a.height() < b.width() * b.height(); });
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
    for (const QPixmap& picture : m_pictures)
        sizes.append(picture.size());
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
    return m_pictures.empty() && m_svg.isEmpty();
}

QPixmap CResourceIconEngine::Picture(const QSize& size)
{
    if (size.isEmpty())
        return {};
    const auto sameSize = [&](const QPixmap& picture) {
        return picture.size() == size;
    };
    if (auto it = std::find_if(m_pictures.begin(), m_pictures.end(), sameSize); it != m_pictures.end())
        return *it;
    if (auto it = std::find_if(m_rendered.begin(), m_rendered.end(), sameSize); it != m_rendered.end())
        return *it;
    if (!m_svg.isEmpty()) {
        if (QPixmap rendered = Rendered(size); !rendered.isNull()) {
            constexpr std::size_t kKeptRenderings = 8; // a window asks for a few sizes, again and again
            if (m_rendered.size() == kKeptRenderings)
                m_rendered.erase(m_rendered.begin());
            return m_rendered.emplace_back(std::move(rendered));
        }
    }
    if (m_pictures.empty())
        return {};
    // Without a drawing, the smallest picture that is large enough, scaled down; the largest one when none is.
    const auto it = std::find_if(m_pictures.begin(), m_pictures.end(), [&](const QPixmap& picture) {
        return picture.width() >= size.width() && picture.height() >= size.height();
    });
    return (it != m_pictures.end() ? *it : m_pictures.back())
        .scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap CResourceIconEngine::Rendered(const QSize& size) const
{
    const platform::CPrintSvg* pPrintSvg = platform::PrintSvg();
    if (pPrintSvg == nullptr)
        return {};
    return QPixmap::fromImage(pPrintSvg->renderSvg(m_svg, size));
}

#pragma once

#include <vector>

#include <QByteArray>
#include <QIconEngine>
#include <QPixmap>

struct IconResource;

// An icon resource at any size: the picture drawn for a size where there is one, so that small sizes keep their
// hand-placed pixels, and the SVG rendered at exactly the size asked for everywhere else (fractional scale
// factors, task switchers larger than the largest picture). The pictures are pixels, not image files: nothing is
// decoded at start-up.
class CResourceIconEngine final : public QIconEngine
{
public:
    explicit CResourceIconEngine(const IconResource& icon);

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine* clone() const override;
    bool isNull() override;

private:
    QPixmap Picture(const QSize& size);
    QPixmap Rendered(const QSize& size) const;

    std::vector<QPixmap> m_pictures; // as drawn, smallest first
    std::vector<QPixmap> m_rendered; // from the SVG, kept for the next request of the same size
    QByteArray m_svg;
};

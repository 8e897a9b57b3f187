// Build tool: turns a PNG into the pixels the program's icon shows, so that the program never decodes an image at
// start-up (decoding loads every image plugin there is). Writes the width and the height (4 bytes each, little-
// endian), then the pixels, premultiplied ARGB32 in the machine's byte order, row after row.
// Usage: iconpixels IN.png OUT.pixels

#include <cstdint>
#include <cstdio>

#include <QFile>
#include <QImage>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1]), "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (image.isNull() || !out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "iconpixels: cannot turn %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    for (const int nValue : {image.width(), image.height()}) {
        const auto value = static_cast<std::uint32_t>(nValue);
        const char bytes[4] = {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff),
                               char(value >> 24 & 0xff)};
        out.write(bytes, 4);
    }
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), qsizetype(image.width()) * 4);
    return out.flush() ? 0 : 1;
}

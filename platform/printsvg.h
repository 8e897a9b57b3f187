#pragma once

// What Print, the SVG export and an icon drawn at a size it has no picture for need of Qt SVG and Qt Print Support.
// They live in a module of their own (printsvg/), loaded at their first use: loaded with the program, the two
// libraries' relocations alone cost the start-up about 4% of its work before the first window.

#include <functional>

#include <QIODevice>
#include <QImage>
#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QWidget>

namespace platform {

struct CPrintSvg
{
    enum class PrintResult
    {
        Printed,
        Cancelled,
        Failed,
    };
    struct PrintJob
    {
        QString title; // the document's name for the print queue
        QString creator;
        QMarginsF marginsMillimetres;
        const QString* pPdfPath = nullptr; // print into this PDF file, without the dialog
        std::function<bool(QPagedPaintDevice&)> paint;
    };

    int nVersion = 0; // kPrintSvgVersion: a module from another build is not used
    // Paints an SVG document of the size, in CSS pixels, into out; false when the painter could not begin or end.
    bool (*paintSvg)(QIODevice& out, const QSize& size, const QString& title, const QString& description,
                     const std::function<void(QPainter&)>& paint) = nullptr;
    // The drawing in svg scaled into size, keeping its proportion; a null image when svg holds no drawing.
    QImage (*renderSvg)(const QByteArray& svg, const QSize& size) = nullptr;
    // The print dialog over pOwner (or none with pPdfPath), then the job's paint on the printer chosen.
    PrintResult (*print)(QWidget* pOwner, const PrintJob& job) = nullptr;
};

inline constexpr int kPrintSvgVersion = 1;
inline constexpr char kPrintSvgEntry[] = "ratiograph_print_svg";

// The module, loaded at the first call; null (and the reason on standard error, once) when it cannot be.
const CPrintSvg* PrintSvg();

} // namespace platform

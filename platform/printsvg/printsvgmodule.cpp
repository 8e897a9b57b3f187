// The module behind platform/printsvg.h: the only code that uses Qt SVG and Qt Print Support.

#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "platform/printsvg.h"

namespace {

using platform::CPrintSvg;

bool PaintSvg(QIODevice& out, const QSize& size, const QString& title, const QString& description,
              const std::function<void(QPainter&)>& paint)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // CSS pixels, so that the drawing is as many pixels as asked where it is shown.
    generator.setResolution(96);
    generator.setTitle(title);
    generator.setDescription(description);
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    paint(painter);
    return painter.end();
}

QImage RenderSvg(const QByteArray& svg, const QSize& size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QImage image(renderer.defaultSize().scaled(size, Qt::KeepAspectRatio), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

CPrintSvg::PrintResult Print(QWidget* pOwner, const CPrintSvg::PrintJob& job)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.title);
    printer.setCreator(job.creator);
    printer.setPageMargins(job.marginsMillimetres, QPageLayout::Millimeter);
    if (job.pPdfPath != nullptr) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*job.pPdfPath);
    } else {
        QPrintDialog dialog(&printer, pOwner);
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted)
            return CPrintSvg::PrintResult::Cancelled;
    }
    return job.paint(printer) ? CPrintSvg::PrintResult::Printed : CPrintSvg::PrintResult::Failed;
}

const CPrintSvg kModule{platform::kPrintSvgVersion, &PaintSvg, &RenderSvg, &Print};

} // namespace

extern "C" __attribute__((visibility("default"))) const CPrintSvg* ratiograph_print_svg()
{
    return &kModule;
}

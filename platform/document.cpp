#include "platform/document.h"

#include <algorithm>
#include <ctime>

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "numtext/numtext.h"
#include "platform/modalseam.h"
#include "platform/plotwidget.h"
#include "platform/printsvg.h"
#include "platform/qtext.h"
#include "platform/widgetaccess.h"
#include "report/reportformat.h"

namespace {

PageBlock TextBlock(PageBlock::Kind kind, std::string strText)
{
    PageBlock block;
    block.kind = kind;
    block.strText = std::move(strText);
    return block;
}

// The page is laid out in points (1/72 inch), whatever the device's resolution.
constexpr double kPointsPerInch = 72.0;
constexpr double kMarginMillimetres = 15.0;
// Readable on a garage wall: body text at 10 points or more, as long as the page need not shrink.
constexpr int kTitlePoints = 18;
constexpr int kHeadingPoints = 12;
constexpr int kBodyPoints = 10;
constexpr int kChartPoints = 9;
constexpr double kBlockGap = 6.0;
constexpr double kColumnGap = 12.0;
// The chart takes what the page leaves, within these.
constexpr double kChartHeightMin = 200.0;
constexpr double kChartHeightMax = 600.0;

// Sizes in the painter's own units: the page's points or the image's pixels, on any device.
QFont FontOfSize(int nUnits, bool bBold = false)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(nUnits);
    font.setBold(bBold);
    return font;
}

// Black on white, with the palette's own adjustments that keep every line and text legible.
PlotColours PaperColours()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Dark, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::Midlight, QColor(0x90, 0x90, 0x90));
    palette.setColor(QPalette::Highlight, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0x60, 0x60, 0x60));
    return ChoosePlotColours(palette);
}

void PaintChart(QPainter& painter, const PlotData& plot, const QRectF& bounds, int nFontUnits)
{
    const CPlotLayout layout(plot, bounds, FontOfSize(nFontUnits));
    const PlotColours colours = PaperColours();
    layout.PaintBackdrop(painter, colours, plot.lines);
    layout.PaintLines(painter, colours, plot.lines);
    layout.PaintOverlay(painter, colours, plot);
}

// Lays the blocks out from the top, width wide, painting them when a painter is given; returns the size used.
QSizeF LayOutPage(QPainter* pPainter, const PageDocument& page, double width, double chartHeight)
{
    double y = 0;
    double usedWidth = 0;
    for (const PageBlock& block : page.blocks) {
        switch (block.kind) {
        case PageBlock::Kind::Title:
        case PageBlock::Kind::Heading:
        case PageBlock::Kind::Text: {
            const bool bTitle = block.kind == PageBlock::Kind::Title;
            const QFont font = block.kind == PageBlock::Kind::Text
                                   ? FontOfSize(kBodyPoints)
                                   : FontOfSize(bTitle ? kTitlePoints : kHeadingPoints, true);
            const int nFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
            const QRectF rect =
                QFontMetricsF(font).boundingRect(QRectF(0, y, width, 1e6), nFlags, ToQString(block.strText));
            if (pPainter != nullptr) {
                pPainter->setFont(font);
                pPainter->drawText(QRectF(0, y, width, rect.height()), nFlags, ToQString(block.strText));
            }
            usedWidth = std::max(usedWidth, rect.width());
            y += rect.height() + (block.kind == PageBlock::Kind::Heading ? 2 : kBlockGap);
            break;
        }
        case PageBlock::Kind::Table: {
            const QFont body = FontOfSize(kBodyPoints);
            const QFont bold = FontOfSize(kBodyPoints, true);
            const QFontMetricsF bodyMetrics(body);
            const QFontMetricsF boldMetrics(bold);
            std::vector<double> widths;
            auto widen = [&](const std::vector<std::string>& cells, const QFontMetricsF& metrics) {
                widths.resize(std::max(widths.size(), cells.size()));
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    for (const QString& line : ToQString(cells[i]).split(u'\n'))
                        widths[i] = std::max(widths[i], metrics.horizontalAdvance(line));
                }
            };
            const auto tableWidth = [&] {
                double total = -kColumnGap;
                for (const double column : widths)
                    total += column + kColumnGap;
                return total;
            };
            // Headers too wide for the page break at the blank nearest their middle, rather than the page
            // shrinking below a readable size.
            std::vector<std::string> headers = block.headers;
            widen(headers, boldMetrics);
            for (const std::vector<std::string>& row : block.rows)
                widen(row, bodyMetrics);
            if (tableWidth() > width) {
                for (std::string& header : headers) {
                    const std::size_t nMiddle = header.size() / 2;
                    const std::size_t nBefore = header.rfind(' ', nMiddle);
                    const std::size_t nAfter = header.find(' ', nMiddle);
                    const std::size_t nBreak = nBefore == std::string::npos || (nAfter != std::string::npos &&
                                                                                nAfter - nMiddle < nMiddle - nBefore)
                                                   ? nAfter
                                                   : nBefore;
                    if (nBreak != std::string::npos)
                        header[nBreak] = '\n';
                }
                widths.clear();
                widen(headers, boldMetrics);
                for (const std::vector<std::string>& row : block.rows)
                    widen(row, bodyMetrics);
            }
            const double lineHeight = bodyMetrics.lineSpacing();
            auto drawRow = [&](const std::vector<std::string>& cells, const QFont& font) {
                double x = 0;
                int nLines = 1;
                if (pPainter != nullptr)
                    pPainter->setFont(font);
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    nLines = std::max(nLines, int(std::count(cells[i].begin(), cells[i].end(), '\n')) + 1);
                    if (pPainter != nullptr) {
                        pPainter->drawText(QRectF(x, y, widths[i], lineHeight * 2),
                                           (i < block.nTextColumns ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop,
                                           ToQString(cells[i]));
                    }
                    x += widths[i] + kColumnGap;
                }
                usedWidth = std::max(usedWidth, x - kColumnGap);
                y += lineHeight * nLines;
            };
            if (!headers.empty()) {
                drawRow(headers, bold);
                if (pPainter != nullptr)
                    pPainter->drawLine(QPointF(0, y + 0.5), QPointF(tableWidth(), y + 0.5));
                y += 2;
            }
            for (const std::vector<std::string>& row : block.rows)
                drawRow(row, body);
            y += kBlockGap;
            break;
        }
        case PageBlock::Kind::Chart:
            if (pPainter != nullptr)
                PaintChart(*pPainter, block.chart, QRectF(0, y, width, chartHeight), kChartPoints);
            usedWidth = std::max(usedWidth, width);
            y += chartHeight + kBlockGap;
            break;
        }
    }
    return {usedWidth, y};
}

// The page on a paged device whose painter starts at the printable area's corner: in points, shrunk as a whole
// when it would not fit the sheet.
bool PaintPage(QPagedPaintDevice& device, const PageDocument& page)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double deviceUnitsPerPoint = device.logicalDpiX() / kPointsPerInch;
    const double width = device.width() / deviceUnitsPerPoint;
    const double height = device.height() * (device.logicalDpiX() / double(device.logicalDpiY())) / deviceUnitsPerPoint;
    // The chart fills the height the rest leaves, so no part of the sheet stays empty.
    const bool bChart = std::any_of(page.blocks.begin(), page.blocks.end(),
                                    [](const PageBlock& block) { return block.kind == PageBlock::Kind::Chart; });
    const double rest = height - LayOutPage(nullptr, page, width, 0).height();
    const double chartHeight = bChart ? std::clamp(rest, kChartHeightMin, kChartHeightMax) : 0;
    double scale = 1.0;
    // Narrower text wraps onto more lines, so a second look may shrink a little further.
    for (int nPass = 0; nPass < 3; ++nPass) {
        const QSizeF used = LayOutPage(nullptr, page, width / scale, chartHeight);
        const double fit = std::min(width / used.width(), height / used.height());
        if (!(fit < 1.0 / scale))
            break;
        scale = fit;
    }
    painter.scale(deviceUnitsPerPoint * scale, device.logicalDpiY() / kPointsPerInch * scale);
    painter.setPen(Qt::black);
    LayOutPage(&painter, page, width / scale, chartHeight);
    return painter.end();
}

int ChartFontPixels(int nWidth, int nHeight)
{
    return std::clamp(std::min(nWidth, nHeight) / 45, 8, 48);
}

} // namespace

PageDocument ComposeReportPage(const ReportDocument& document, const PlotData& chart, std::string_view strDate)
{
    using Kind = PageBlock::Kind;
    PageDocument page;
    page.strTitle = document.strTitle;
    page.blocks.push_back(TextBlock(Kind::Title, document.strTitle));
    page.blocks.push_back(TextBlock(Kind::Text, "Date: " + std::string(strDate)));
    for (const ReportSection& section : document.sections) {
        if (!section.strHeading.empty())
            page.blocks.push_back(TextBlock(Kind::Heading, section.strHeading));
        for (const std::string& line : section.lines)
            page.blocks.push_back(TextBlock(Kind::Text, line));
        if (section.table) {
            PageBlock table;
            table.kind = Kind::Table;
            table.headers = section.table->headers;
            table.rows = section.table->rows;
            table.nTextColumns = section.table->nTextColumns;
            page.blocks.push_back(std::move(table));
        }
        if (section.bChart) {
            PageBlock block;
            block.kind = Kind::Chart;
            block.chart = chart;
            page.blocks.push_back(std::move(block));
        }
    }
    return page;
}

std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (localtime_r(&now, &local) == nullptr)
        return {};
    return CrtFormat("%04d-%02d-%02d", {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

std::string RenderPagePdf(const PageDocument& page)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                              QPageLayout::Millimeter);
        writer.setTitle(ToQString(page.strTitle));
        writer.setCreator(QStringLiteral("Corvane Ratiograph"));
        if (!PaintPage(writer, page))
            return {};
    }
    return bytes.toStdString();
}

std::string RenderChartSvg(const PlotData& plot, int nWidth, int nHeight)
{
    if (!IsImageSizeAllowed(nWidth, nHeight))
        return {};
    const platform::CPrintSvg* pPrintSvg = platform::PrintSvg();
    if (pPrintSvg == nullptr)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const auto paint = [&](QPainter& painter) {
        PaintChart(painter, plot, QRectF(0, 0, nWidth, nHeight), ChartFontPixels(nWidth, nHeight));
    };
    if (!pPrintSvg->paintSvg(buffer, QSize(nWidth, nHeight), ToQString(plot.title), ToQString(plot.description), paint))
        return {};
    return bytes.toStdString();
}

std::string RenderChartPng(const PlotData& plot, int nWidth, int nHeight)
{
    if (!IsImageSizeAllowed(nWidth, nHeight))
        return {};
    QImage image(nWidth, nHeight, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintChart(painter, plot, QRectF(0, 0, nWidth, nHeight), ChartFontPixels(nWidth, nHeight));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes.toStdString();
}

std::string RenderReportFile(ReportFormat format, const ReportDocument& document, const PlotData& chart,
                             ImageSize imageSize)
{
    if (std::optional<std::string> text = FormatTextualReport(format, document))
        return std::move(*text);
    switch (format) {
    case ReportFormat::Pdf:
        return RenderPagePdf(ComposeReportPage(document, chart, TodayText()));
    case ReportFormat::Svg:
        return RenderChartSvg(chart, imageSize.nWidth, imageSize.nHeight);
    case ReportFormat::Png:
        return RenderChartPng(chart, imageSize.nWidth, imageSize.nHeight);
    default:
        return {};
    }
}

namespace platform {

PrintOutcome PrintPage(HWND hOwner, const PageDocument& page)
{
    const CPrintSvg* pPrintSvg = PrintSvg();
    if (pPrintSvg == nullptr)
        return PrintOutcome::Failed;
    CPrintSvg::PrintJob job;
    job.title = ToQString(page.strTitle);
    job.creator = QStringLiteral("Corvane Ratiograph");
    job.marginsMillimetres = QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
    job.paint = [&page](QPagedPaintDevice& device) {
        return PaintPage(device, page);
    };
    QString pdfPath;
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        CBoxRecord record;
        record.kind = CBoxRecord::Kind::Print;
        record.strCaption = page.strTitle;
        record.hOwner = hOwner;
        const std::optional<std::string> answer = pSeam->AnswerPrintDialog(record);
        if (!answer)
            return PrintOutcome::Cancelled;
        // What a user types into the dialog's "Print to file": Qt takes the name as text.
        pdfPath = QFile::decodeName(QByteArray::fromStdString(*answer));
        job.pPdfPath = &pdfPath;
    }
    switch (pPrintSvg->print(WidgetOf(hOwner), job)) {
    case CPrintSvg::PrintResult::Printed:
        return PrintOutcome::Printed;
    case CPrintSvg::PrintResult::Cancelled:
        return PrintOutcome::Cancelled;
    case CPrintSvg::PrintResult::Failed:
        break;
    }
    return PrintOutcome::Failed;
}

} // namespace platform

#pragma once

// Reading back what a report export wrote, as a user's tools would: a PDF's text through pdftotext (Debian's
// poppler-utils), CSV records, an SVG as XML, a PNG as an image. Also the figures of the sample record that every
// form of its report must show.

#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QXmlStreamReader>

using Words = std::vector<std::string>;

// The sample record's MPH and km/h, first gear to reverse.
inline const Words kSampleMph = {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
inline const Words kSampleKmh = {"19.9", "26.7", "41.1", "53.4", "71.2", "N/A", "-18.4"};
inline const Words kGearNames = {"1st", "2nd", "3rd", "4th", "5th", "6th", "Reverse"};

inline Words SplitWords(const std::string& line)
{
    std::istringstream stream(line);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

// The page's text with its layout kept, so that a table's row stays one line; empty when it cannot be read.
inline std::string PdfText(const std::string& strPath)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QString::fromStdString(strPath), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    return pdftotext.readAllStandardOutput().toStdString();
}

// The per-gear table's row of a gear in a text laid out in lines: the first line that starts with the gear's
// name and holds at least six words (the values and the shift drops have fewer).
inline Words GearRow(const std::string& text, const std::string& strGear)
{
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        Words words = SplitWords(line);
        if (words.size() >= 6 && words[0] == strGear)
            return words;
    }
    return {};
}

// The table of a CSV without quoted fields, which the per-gear table never needs.
inline std::vector<Words> CsvRows(const std::string& text)
{
    std::vector<Words> rows;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line, '\n');) {
        if (line.ends_with('\r'))
            line.pop_back();
        Words cells(1);
        for (const char ch : line) {
            if (ch == ',')
                cells.emplace_back();
            else
                cells.back() += ch;
        }
        rows.push_back(cells);
    }
    return rows;
}

struct SvgSummary
{
    int nPaths = 0;
    QString viewBox;
    QString description;
};

// Nothing for a text that is not well-formed XML with an <svg> root.
inline std::optional<SvgSummary> ReadSvg(const std::string& bytes)
{
    QXmlStreamReader reader(QByteArray::fromStdString(bytes));
    SvgSummary summary;
    bool bRoot = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!bRoot) {
            if (reader.name() != QStringLiteral("svg"))
                return std::nullopt;
            bRoot = true;
            summary.viewBox = reader.attributes().value(QStringLiteral("viewBox")).toString();
        } else if (reader.name() == QStringLiteral("path")) {
            ++summary.nPaths;
        } else if (reader.name() == QStringLiteral("desc")) {
            summary.description = reader.readElementText();
        }
    }
    if (reader.hasError() || !bRoot)
        return std::nullopt;
    return summary;
}

inline QSize PngSize(const std::string& bytes)
{
    QImage image;
    if (!image.loadFromData(QByteArray::fromStdString(bytes), "PNG"))
        return {};
    return image.size();
}

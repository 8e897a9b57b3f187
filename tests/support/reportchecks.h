#pragma once

// Reading back what a report export wrote, as a user's tools would: a PDF's text through pdftotext (Debian's
// poppler-utils), an SVG as XML, a PNG as an image; and the sample record's speeds that each must show.

#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>
#include <QProcess>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

inline Words SplitWords(const std::string& line)
{
    std::istringstream stream(line);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

// The text with its layout kept, so that a table's row stays one line; empty when the PDF cannot be read.
inline std::string PdfText(const std::string& strPath)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QString::fromStdString(strPath), QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    return pdftotext.readAllStandardOutput().toStdString();
}

// Each gear's row of the per-gear table (the first line that starts with the gear's name and holds at least six
// words: the values and the shift drops have fewer) shows the sample's MPH and km/h in the fourth and fifth
// columns.
inline void ExpectSampleSpeeds(const std::string& text)
{
    const Words gears = {"1st", "2nd", "3rd", "4th", "5th", "6th", "Reverse"};
    const std::vector<Words> speeds = {{"12.4", "19.9"}, {"16.6", "26.7"}, {"25.5", "41.1"},  {"33.2", "53.4"},
                                       {"44.2", "71.2"}, {"N/A", "N/A"},   {"-11.4", "-18.4"}};
    for (std::size_t i = 0; i < gears.size(); ++i) {
        std::istringstream stream(text);
        Words row;
        for (std::string line; row.empty() && std::getline(stream, line);) {
            if (const Words words = SplitWords(line); words.size() >= 6 && words[0] == gears[i])
                row = words;
        }
        ASSERT_FALSE(row.empty()) << gears[i] << " is missing:\n" << text;
        EXPECT_EQ(Words(row.begin() + 3, row.begin() + 5), speeds[i]) << text;
    }
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
    std::optional<SvgSummary> summary;
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (!reader.isStartElement())
            continue;
        if (!summary && reader.name() != QStringLiteral("svg"))
            return std::nullopt;
        if (!summary)
            summary = SvgSummary{0, reader.attributes().value(QStringLiteral("viewBox")).toString(), {}};
        else if (reader.name() == QStringLiteral("path"))
            ++summary->nPaths;
        else if (reader.name() == QStringLiteral("desc"))
            summary->description = reader.readElementText();
    }
    return reader.hasError() ? std::nullopt : summary;
}

inline QSize PngSize(const std::string& bytes)
{
    return QImage::fromData(QByteArray::fromStdString(bytes), "PNG").size();
}

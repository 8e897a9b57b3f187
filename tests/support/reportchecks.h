#pragma once

// A report read back as a user's tools would, as lines of words with one blank between them, in every format.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using Texts = std::vector<std::string>;

// JSON as "/gears/0/mph 12.4"; an SVG's viewBox, title, desc, the colours it strokes with and its paths; a PNG's size;
// a PDF's pages end in |.
inline std::string ReportAsText(std::string bytes, const std::string& strName)
{
    using namespace Qt::StringLiterals;
    const std::string extension = QFileInfo(QString::fromStdString(strName)).suffix().toLower().toStdString();
    if (extension == "png") {
        const QSize size = QImage::fromData(QByteArray::fromStdString(bytes), "PNG").size();
        return size.isValid() ? std::to_string(size.width()) + "x" + std::to_string(size.height()) : "";
    }
    if (extension == "json") {
        const nlohmann::json json = nlohmann::json::parse(bytes, nullptr, false);
        std::string text;
        const nlohmann::json flat = json.is_discarded() ? nlohmann::json::object() : json.flatten();
        for (const auto& item : flat.items())
            text += item.key() + " " + item.value().dump() + "\n";
        return text;
    }
    if (extension == "svg") {
        QXmlStreamReader reader(QByteArray::fromStdString(bytes));
        std::string text;
        std::set<std::string> strokes;
        int nPaths = 0;
        while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
            if (reader.isStartElement() && reader.attributes().hasAttribute(u"stroke"_s))
                strokes.insert(" " + reader.attributes().value(u"stroke"_s).toString().toStdString());
            if (reader.isStartElement() && reader.name() == u"svg"_s)
                text += "viewBox " + reader.attributes().value(u"viewBox"_s).toString().toStdString() + "\n";
            if (reader.isStartElement() && (reader.name() == u"title"_s || reader.name() == u"desc"_s))
                text += reader.readElementText().toStdString() + "\n";
            nPaths += reader.isStartElement() && reader.name() == u"path"_s;
        }
        text += "strokes";
        for (const std::string& stroke : strokes)
            text += stroke;
        return reader.hasError() ? "" : text + "\npaths " + std::to_string(nPaths) + "\n";
    }
    if (extension == "pdf") {
        QProcess pdftotext; // with the layout kept, a table's row stays one line
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, u"-"_s, u"-"_s});
        pdftotext.write(QByteArray::fromStdString(bytes));
        pdftotext.closeWriteChannel();
        const bool bRead = pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0;
        bytes = bRead ? pdftotext.readAllStandardOutput().toStdString() : "";
        std::replace(bytes.begin(), bytes.end(), '\f', '|');
    }
    if (extension == "csv")
        std::replace(bytes.begin(), bytes.end(), ',', ' ');
    std::string text;
    for (const QString& line : QString::fromStdString(bytes).split(u'\n'))
        text += line.simplified().toStdString() + "\n";
    return text;
}

// The sample record's rows of the per-gear table: gear, ratio, overall ratio, MPH, km/h, MPH per 1000 RPM.
inline const Texts kSampleRows = {"\n1st 2.680 9.460 12.4 19.9 8.3",        "\n2nd 2.000 7.060 16.6 26.7 11.1",
                                  "\n3rd 1.300 4.589 25.5 41.1 17.0",       "\n4th 1.000 3.530 33.2 53.4 22.1",
                                  "\n5th 0.750 2.647 44.2 71.2 29.5",       "\n6th 0.000 0.000",
                                  "\nReverse 2.900 10.237 -11.4 -18.4 -7.6"};

inline void ExpectParts(const std::string& text, const Texts& parts)
{
    for (const std::string& part : parts)
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

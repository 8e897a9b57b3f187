#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QFile>
#include <QString>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "tests/support/samplerecord.h"

inline std::string JoinLines(const std::vector<std::string>& lines, std::string_view lineEnd)
{
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(lineEnd);
    return text;
}

inline bool WriteBytes(const QString& strPath, std::string_view bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
           file.flush();
}

inline std::optional<std::string> ReadBytes(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

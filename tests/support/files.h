#pragma once

// Whole files, byte for byte, for tests that put a file on disk or look at what a save left there.

#include <fstream>
#include <string>
#include <string_view>

#include <QFile>

inline bool WriteBytes(const std::string& strPath, std::string_view bytes)
{
    std::ofstream file(strPath, std::ios::binary);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

// Empty when there is no file to read.
inline std::string ReadBytes(const std::string& strPath)
{
    QFile file(QString::fromStdString(strPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

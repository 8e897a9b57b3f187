#pragma once

// Texts between the program (UTF-8 in std::string) and Qt. Private to platform/.

#include <string_view>

#include <QString>

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

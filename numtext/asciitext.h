#pragma once

// Letters compared and folded as ASCII, whatever the process locale: file extensions, units, tire markings.

#include <string>
#include <string_view>

constexpr char AsciiLower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

constexpr char AsciiUpper(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool EqualsNoCase(std::string_view text1, std::string_view text2);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

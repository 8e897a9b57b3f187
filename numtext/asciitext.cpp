#include "numtext/asciitext.h"

#include <algorithm>

std::string AsciiLower(std::string_view text)
{
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char ch) { return AsciiLower(ch); });
    return folded;
}

std::string AsciiUpper(std::string_view text)
{
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char ch) { return AsciiUpper(ch); });
    return folded;
}

bool EqualsNoCase(std::string_view text1, std::string_view text2)
{
    return std::equal(text1.begin(), text1.end(), text2.begin(), text2.end(),
                      [](char ch1, char ch2) { return AsciiLower(ch1) == AsciiLower(ch2); });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

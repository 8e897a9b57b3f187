#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzzcheck.h"
#include "settingsfile/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view fileBytes(reinterpret_cast<const char*>(pData), nSize);
    const SettingsFileLines parsed = ParseSettingsLines(fileBytes);
    FuzzCheck(parsed.status != SettingsReadStatus::CannotOpen, "parsing bytes never fails to open");

    // Ten lines exist when there are ten line ends, or nine and something after the ninth.
    std::size_t nLineEnds = 0;
    std::size_t afterNinth = 0;
    std::size_t afterTenth = nSize;
    for (std::size_t i = 0; i < nSize && nLineEnds < 10; ++i) {
        if (fileBytes[i] != '\n')
            continue;
        if (++nLineEnds == 9)
            afterNinth = i + 1;
        else if (nLineEnds == 10)
            afterTenth = i + 1;
    }
    const bool bTenLines = nLineEnds == 10 || (nLineEnds == 9 && afterNinth < nSize);
    FuzzCheck(bTenLines == (parsed.status == SettingsReadStatus::Read), "status matches the number of lines");

    if (parsed.status != SettingsReadStatus::Read) {
        FuzzCheck(
            std::all_of(parsed.lines.begin(), parsed.lines.end(), [](const std::string& line) { return line.empty(); }),
            "no lines without a Read status");
        return 0;
    }
    std::size_t nTotal = 0;
    std::size_t at = 0;
    for (const std::string& line : parsed.lines) {
        FuzzCheck(line.find('\0') == std::string::npos, "no NUL in a line");
        FuzzCheck(line.find('\n') == std::string::npos, "no LF in a line");
        FuzzCheck(fileBytes.substr(at).starts_with(line), "a line is the start of its stretch of the file");
        const std::size_t lineEnd = fileBytes.find('\n', at);
        at = lineEnd == std::string_view::npos ? nSize : lineEnd + 1;
        nTotal += line.size();
    }
    FuzzCheck(nTotal <= nSize, "lines are no longer than the file");

    // What follows the tenth line does not matter.
    if (afterTenth < nSize) {
        const SettingsFileLines head = ParseSettingsLines(fileBytes.substr(0, afterTenth));
        FuzzCheck(head.status == SettingsReadStatus::Read && head.lines == parsed.lines, "the rest is ignored");
    }
    return 0;
}

#pragma once

// CSV read back as a spreadsheet reads it, for the tests of every layer that writes CSV.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Records = std::vector<std::vector<std::string>>;

// RFC 4180 records, each ending in CR LF; a quoted field may hold commas, line breaks and "" for a quote.
inline std::optional<Records> ReadCsv(std::string_view text)
{
    Records records(1);
    for (std::size_t i = 0; i < text.size();) {
        std::string field;
        if (text[i] == '"') {
            for (++i; i < text.size() && (text[i] != '"' || text.substr(i, 2) == "\"\""); ++i)
                field += text[text[i] == '"' ? i++ : i];
            if (i++ == text.size())
                return std::nullopt; // no closing quote
        } else {
            const std::size_t nEnd = std::min(text.find_first_of(",\r\n\"", i), text.size());
            field = text.substr(i, nEnd - i);
            i = nEnd;
        }
        records.back().push_back(field);
        if (text.substr(i, 1) == ",")
            i += 1;
        else if (text.substr(i, 2) == "\r\n" && (i += 2) < text.size())
            records.emplace_back();
        else if (i < text.size() || !text.ends_with("\r\n"))
            return std::nullopt;
    }
    return records;
}

#include "numtext/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <type_traits>

namespace {

struct Conversion
{
    bool bLeft = false;
    bool bPlus = false;
    bool bSpace = false;
    bool bZero = false;
    int nWidth = 0;
    int nPrecision = -1; // none given
    char chConversion = 0;
};

[[noreturn]] void FailFormat(std::string_view strFormat, const char* pszWhy)
{
    throw std::invalid_argument(std::string("CrtFormat(\"") + std::string(strFormat) + "\"): " + pszWhy);
}

// The runtime always printed at least three exponent digits; std::to_chars prints two.
void WidenExponent(std::string& text)
{
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos || e + 1 >= text.size())
        return;
    const std::size_t digits = e + 2; // after the exponent's sign
    const std::size_t nDigits = text.size() - digits;
    if (nDigits < 3)
        text.insert(digits, 3 - nDigits, '0');
}

std::string FormatFloatBody(double value, char chConversion, int nPrecision)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return "inf";
    char buffer[1024]; // the widest fixed text: 309 integer digits, 300 decimals
    std::to_chars_result result{};
    switch (chConversion) {
    case 'f':
        result = std::to_chars(buffer, std::end(buffer), value, std::chars_format::fixed, nPrecision);
        break;
    case 'e':
    case 'E':
        result = std::to_chars(buffer, std::end(buffer), value, std::chars_format::scientific, nPrecision);
        break;
    default: // 'g' and 'G'
        result = std::to_chars(buffer, std::end(buffer), value, std::chars_format::general,
                               nPrecision == 0 ? 1 : nPrecision);
        break;
    }
    std::string text(buffer, result.ptr);
    WidenExponent(text);
    if (chConversion == 'E' || chConversion == 'G')
        std::transform(text.begin(), text.end(), text.begin(), [](char ch) { return ch == 'e' ? 'E' : ch; });
    return text;
}

// Sign, zero padding and width around a body whose sign, if any, is its first character.
std::string Pad(std::string body, const Conversion& conversion, bool bNumeric, bool bZeroAllowed)
{
    if (bNumeric && body.front() != '-') {
        if (conversion.bPlus)
            body.insert(body.begin(), '+');
        else if (conversion.bSpace)
            body.insert(body.begin(), ' ');
    }
    const auto nWidth = static_cast<std::size_t>(conversion.nWidth);
    if (body.size() >= nWidth)
        return body;
    const std::size_t nFill = nWidth - body.size();
    if (conversion.bLeft)
        return body + std::string(nFill, ' ');
    if (conversion.bZero && bZeroAllowed) {
        const std::size_t at = (body.front() == '-' || body.front() == '+' || body.front() == ' ') ? 1 : 0;
        return body.insert(at, nFill, '0');
    }
    return std::string(nFill, ' ') + body;
}

bool IsCSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::size_t SkipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

} // namespace

std::string CrtFormat(std::string_view strFormat, std::initializer_list<CrtArg> args)
{
    std::string out;
    const CrtArg* pArg = args.begin();
    auto nextArg = [&]() -> const CrtArg& {
        if (pArg == args.end())
            FailFormat(strFormat, "too few arguments");
        return *pArg++;
    };
    auto nextInt = [&]() -> long {
        const CrtArg& arg = nextArg();
        if (const int* pn = std::get_if<int>(&arg))
            return *pn;
        if (const long* pl = std::get_if<long>(&arg))
            return *pl;
        FailFormat(strFormat, "an integer conversion needs an integer argument");
    };

    std::size_t i = 0;
    while (i < strFormat.size()) {
        const char ch = strFormat[i++];
        if (ch != '%') {
            out += ch;
            continue;
        }
        if (i < strFormat.size() && strFormat[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Conversion conversion;
        for (; i < strFormat.size(); ++i) {
            const char flag = strFormat[i];
            if (flag == '-')
                conversion.bLeft = true;
            else if (flag == '+')
                conversion.bPlus = true;
            else if (flag == ' ')
                conversion.bSpace = true;
            else if (flag == '0')
                conversion.bZero = true;
            else
                break;
        }
        if (i < strFormat.size() && strFormat[i] == '*') {
            const long nWidth = nextInt();
            conversion.bLeft = conversion.bLeft || nWidth < 0;
            conversion.nWidth = static_cast<int>(std::min(std::labs(nWidth), 4096L));
            ++i;
        } else {
            while (i < strFormat.size() && IsDigit(strFormat[i]))
                conversion.nWidth = std::min(conversion.nWidth * 10 + (strFormat[i++] - '0'), 4096);
        }
        if (i < strFormat.size() && strFormat[i] == '.') {
            ++i;
            conversion.nPrecision = 0;
            if (i < strFormat.size() && strFormat[i] == '*') {
                const long nPrecision = nextInt();
                conversion.nPrecision = nPrecision < 0 ? -1 : static_cast<int>(std::min(nPrecision, 300L));
                ++i;
            } else {
                while (i < strFormat.size() && IsDigit(strFormat[i]))
                    conversion.nPrecision = std::min(conversion.nPrecision * 10 + (strFormat[i++] - '0'), 300);
            }
        }
        while (i < strFormat.size() && (strFormat[i] == 'l' || strFormat[i] == 'h'))
            ++i;
        if (i >= strFormat.size())
            FailFormat(strFormat, "conversion without a type");
        conversion.chConversion = strFormat[i++];

        switch (conversion.chConversion) {
        case 'd':
        case 'i': {
            const long value = nextInt();
            char buffer[32];
            std::string body(buffer, std::to_chars(buffer, std::end(buffer), value).ptr);
            if (conversion.nPrecision >= 0) {
                const std::size_t nSign = body.front() == '-' ? 1 : 0;
                const auto nDigits = body.size() - nSign;
                if (static_cast<std::size_t>(conversion.nPrecision) > nDigits)
                    body.insert(nSign, conversion.nPrecision - nDigits, '0');
                else if (conversion.nPrecision == 0 && value == 0)
                    body.clear();
            }
            if (body.empty()) {
                out += Pad(std::string(), Conversion{.nWidth = conversion.nWidth}, false, false);
                break;
            }
            out += Pad(std::move(body), conversion, true, conversion.nPrecision < 0);
            break;
        }
        case 'f':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            const CrtArg& arg = nextArg();
            const double* pValue = std::get_if<double>(&arg);
            if (pValue == nullptr)
                FailFormat(strFormat, "a floating conversion needs a double argument");
            const int nPrecision = conversion.nPrecision < 0 ? 6 : conversion.nPrecision;
            std::string body = FormatFloatBody(*pValue, conversion.chConversion, nPrecision);
            if (std::signbit(*pValue) && body.front() != '-')
                body.insert(body.begin(), '-'); // "-nan" and the like
            out += Pad(std::move(body), conversion, true, std::isfinite(*pValue));
            break;
        }
        case 's': {
            const CrtArg& arg = nextArg();
            const std::string_view* pText = std::get_if<std::string_view>(&arg);
            if (pText == nullptr)
                FailFormat(strFormat, "%s needs a text argument");
            std::string body(conversion.nPrecision >= 0 ? pText->substr(0, conversion.nPrecision) : *pText);
            out +=
                Pad(std::move(body), Conversion{.bLeft = conversion.bLeft, .nWidth = conversion.nWidth}, false, false);
            break;
        }
        default:
            FailFormat(strFormat, "unsupported conversion");
        }
    }
    if (pArg != args.end())
        FailFormat(strFormat, "too many arguments");
    return out;
}

CrtDouble CrtStrtod(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    bool bNegative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        bNegative = text[at++] == '-';

    // Significant digits without leading zeros, and where the decimal point sits relative to them.
    std::string digits;
    long nPointShift = 0; // decimal exponent contributed by the position of the point
    bool bAnyDigit = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        bAnyDigit = true;
        if (!digits.empty() || text[at] != '0')
            digits += text[at];
    }
    if (at < text.size() && text[at] == '.') {
        std::size_t after = at + 1;
        bool bFractionDigit = false;
        for (; after < text.size() && IsDigit(text[after]); ++after) {
            bFractionDigit = true;
            if (!digits.empty() || text[after] != '0')
                digits += text[after];
            --nPointShift;
        }
        if (bAnyDigit || bFractionDigit) {
            bAnyDigit = true;
            at = after;
        }
    }
    if (!bAnyDigit)
        return {};

    long nExponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
        std::size_t after = at + 1;
        bool bExpNegative = false;
        if (after < text.size() && (text[after] == '+' || text[after] == '-'))
            bExpNegative = text[after++] == '-';
        if (after < text.size() && IsDigit(text[after])) {
            for (; after < text.size() && IsDigit(text[after]); ++after)
                nExponent = std::min(nExponent * 10 + (text[after] - '0'), 100'000'000L);
            if (bExpNegative)
                nExponent = -nExponent;
            at = after;
        }
    }

    double magnitude = 0.0;
    if (!digits.empty()) {
        // Decimal exponent of the first significant digit decides overflow and underflow once it is far
        // out; nearer the edges std::from_chars rounds correctly and reports the range itself.
        const long nScientific = nExponent + nPointShift + static_cast<long>(digits.size()) - 1;
        if (nScientific > 400) {
            magnitude = std::numeric_limits<double>::infinity();
        } else if (nScientific < -400) {
            magnitude = 0.0;
        } else {
            const std::string canonical = digits + "e" + std::to_string(nExponent + nPointShift);
            const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude,
                                                std::chars_format::scientific);
            if (result.ec == std::errc::result_out_of_range)
                magnitude = nScientific > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return {bNegative ? -magnitude : magnitude, at};
}

CrtLong CrtStrtol(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at]))
        ++at;
    bool bNegative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        bNegative = text[at++] == '-';
    if (at >= text.size() || !IsDigit(text[at]))
        return {};
    constexpr std::int64_t nLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), nLimit);
    const std::int64_t value = bNegative ? -magnitude : std::min(magnitude, nLimit - 1);
    return {static_cast<std::int32_t>(value), at};
}

double CrtAtof(std::string_view text)
{
    return CrtStrtod(text).value;
}

template<class TValue>
std::optional<TValue> ParseNumberText(std::string_view text)
{
    const std::size_t start = SkipBlanks(text, 0);
    const char chFirst = start < text.size() ? text[start] : '\0';
    const auto number = [&] {
        if constexpr (std::is_same_v<TValue, double>)
            return CrtStrtod(text.substr(start));
        else
            return CrtStrtol(text.substr(start));
    }();
    if (number.value == 0 && chFirst != '0')
        return std::nullopt;
    if (SkipBlanks(text, start + number.nConsumed) != text.size())
        return std::nullopt;
    return number.value;
}

template std::optional<double> ParseNumberText(std::string_view);
template std::optional<int> ParseNumberText(std::string_view);

float NarrowToFloat(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    // Halfway between the largest float and 2^128: from here on, rounding to nearest gives infinity.
    constexpr double overflow = 0x1.ffffffp127;
    if (std::isnan(value) || std::fabs(value) <= largest)
        return static_cast<float>(value);
    if (std::fabs(value) >= overflow)
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(std::copysign(largest, value));
}

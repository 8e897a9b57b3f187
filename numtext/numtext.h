#pragma once

// The C library's number texts, as the calculator has always written and read them (a Windows C library's:
// three-digit exponents). Saved files and the texts in the fields depend on these exact rules, so nothing here consults
// the process locale: a German desktop still writes 2.68, and exponents always carry a sign and at least three digits
// (5e-005, 1e+006).
//
// CrtFormat is a small printf for the conversions the program uses (%d, %ld, %f, %e, %g, %s with flags, width
// and precision, '*' included). CrtStrtod and CrtStrtol follow the runtime's grammars; ParseFloatText and
// ParseIntText are the accept/reject rules that the dialogs apply to a field's text. This module uses only the
// standard library.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

using CrtArg = std::variant<int, long, double, std::string_view>;

// Formats like the runtime's sprintf. A format that asks for a conversion it does not know, or an argument of
// the wrong kind, is a programming error and throws std::invalid_argument.
std::string CrtFormat(std::string_view strFormat, std::initializer_list<CrtArg> args = {});

struct CrtDouble
{
    double value = 0.0;
    std::size_t nConsumed = 0; // characters that belong to the number; 0 when there is none
};

struct CrtLong
{
    std::int32_t value = 0;
    std::size_t nConsumed = 0;
};

// Leading white space, a sign, digits with an optional '.', an exponent after 'e', 'E', 'd' or 'D'. No
// hexadecimal and no "inf" or "nan" words. Too large a magnitude gives an infinity of the sign, too small a 0.
CrtDouble CrtStrtod(std::string_view text);
// Base 10 into 32 bits: values beyond the range are clamped to its ends.
CrtLong CrtStrtol(std::string_view text);
// The longest leading number; a text without one reads as 0.
double CrtAtof(std::string_view text);

// A field's text as a number (double, read like CrtStrtod) or an integer (int, like CrtStrtol), or nothing when
// the text is not one: blanks around the number only, and a text whose value is 0 must start with the digit 0
// (after blanks), so ".0", "-0" and a number that underflows are refused.
template<class TValue>
std::optional<TValue> ParseNumberText(std::string_view text);

inline std::optional<double> ParseFloatText(std::string_view text)
{
    return ParseNumberText<double>(text);
}
inline std::optional<int> ParseIntText(std::string_view text)
{
    return ParseNumberText<int>(text);
}

// Rounds to single precision the way the hardware does, without the undefined behaviour of a plain cast of a
// value beyond float's range: such a value becomes an infinity of its sign.
float NarrowToFloat(double value);

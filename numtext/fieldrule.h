#pragma once

// The rule every number field applies to its text, for the dialogs and for whatever judges a value without a
// field (a settings file's lines, the command line), so that all of them accept, refuse and prompt alike: only
// the first kFieldChars characters count (a 32-character field buffer), a number is read as ParseFloatText reads
// it and rounded to single precision, an integer as ParseIntText reads it, and the value must lie within an
// inclusive range. Each refusal comes with the prompt a field shows for it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kFieldChars = 31;

inline constexpr std::string_view kEnterNumberPrompt = "Please enter a number.";
inline constexpr std::string_view kEnterIntegerPrompt = "Please enter an integer.";
inline constexpr std::string_view kNumberRangePrompt = "Please enter a number between %1 and %2.";
inline constexpr std::string_view kIntegerRangePrompt = "Please enter an integer between %1 and %2.";

// The pattern with every "%1" replaced by text1 and every "%2" by text2.
std::string FillPlaceholders(std::string_view pattern, std::string_view text1, std::string_view text2);

// TValue is float (a number field) or int (an integer field).
template<class TValue>
struct FieldRule
{
    // The value of a field's text, or nothing when the field refuses it.
    static std::optional<TValue> Parse(std::string_view text);
    // What a field shows for a value: "%.*g" with precision 6, or "%d".
    static std::string Format(TValue value);
    // Written so that a NaN fails like any other value outside the range.
    static bool IsInRange(TValue value, TValue minimum, TValue maximum) { return minimum <= value && value <= maximum; }
    static std::string_view EnterPrompt();
    // The range prompt with both bounds: "%.*g" with precision 6, or "%ld".
    static std::string RangePrompt(TValue minimum, TValue maximum);
};

// What a validating pass makes of a field's text: the value it stores (nothing for a text that is no number; an
// out-of-range value is stored all the same) and the prompt it shows (empty when it shows none).
template<class TValue>
struct FieldJudgement
{
    std::optional<TValue> value;
    std::string strPrompt;
};

template<class TValue>
FieldJudgement<TValue> JudgeFieldText(std::string_view text, TValue minimum, TValue maximum);

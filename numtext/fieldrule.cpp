#include "numtext/fieldrule.h"

#include "numtext/numtext.h"

std::string FillPlaceholders(std::string_view pattern, std::string_view text1, std::string_view text2)
{
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            result += pattern[i + 1] == '1' ? text1 : text2;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

template<>
std::optional<float> FieldRule<float>::Parse(std::string_view text)
{
    const std::optional<double> value = ParseFloatText(text.substr(0, kFieldChars));
    return value ? std::optional(NarrowToFloat(*value)) : std::nullopt;
}

template<>
std::optional<int> FieldRule<int>::Parse(std::string_view text)
{
    return ParseIntText(text.substr(0, kFieldChars));
}

template<>
std::string FieldRule<float>::Format(float value)
{
    return CrtFormat("%.*g", {6, double{value}});
}

template<>
std::string FieldRule<int>::Format(int value)
{
    return CrtFormat("%d", {value});
}

template<>
std::string_view FieldRule<float>::EnterPrompt()
{
    return kEnterNumberPrompt;
}

template<>
std::string_view FieldRule<int>::EnterPrompt()
{
    return kEnterIntegerPrompt;
}

template<>
std::string FieldRule<float>::RangePrompt(float minimum, float maximum)
{
    return FillPlaceholders(kNumberRangePrompt, Format(minimum), Format(maximum));
}

template<>
std::string FieldRule<int>::RangePrompt(int minimum, int maximum)
{
    return FillPlaceholders(kIntegerRangePrompt, CrtFormat("%ld", {long{minimum}}), CrtFormat("%ld", {long{maximum}}));
}

template<class TValue>
FieldJudgement<TValue> JudgeFieldText(std::string_view text, TValue minimum, TValue maximum)
{
    using Rule = FieldRule<TValue>;
    const std::optional<TValue> value = Rule::Parse(text);
    if (!value)
        return {value, std::string(Rule::EnterPrompt())};
    return {value, Rule::IsInRange(*value, minimum, maximum) ? std::string() : Rule::RangePrompt(minimum, maximum)};
}

template FieldJudgement<float> JudgeFieldText(std::string_view, float, float);
template FieldJudgement<int> JudgeFieldText(std::string_view, int, int);

#include "numtext/numtext.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::nullopt_t kRejected = std::nullopt;

// The runtime's texts, three-digit exponents included; a row's arguments are formatted one by one, joined by '|'.
TEST(NumberTexts, FormatReadNarrowAndJudgeFields)
{
    const std::vector<std::tuple<const char*, std::vector<CrtArg>, const char*>> rows = {
        {"%g",
         {2.68F, 1e6, 5e-5, 1234567.0, 0.0001, 123456.0, 1e100, -2.5e-300, kInf},
         "2.68|1e+006|5e-005|1.23457e+006|0.0001|123456|1e+100|-2.5e-300|inf"},
        {"%4.1f", {5.0, 12.38, -11.44, 123456.78}, " 5.0|12.4|-11.4|123456.8"},
        {"%-5.0f", {1500.0, 123456.0, -kInf}, "1500 |123456|-inf "},
        {"%4.2g", {2.68F, 2.0, 12345.0}, " 2.7|   2|1.2e+004"},
        {"%+.1f", {2.0}, "+2.0"},
        {"%d", {0, 42}, "0|42"},
        {"%05d", {-42}, "-0042"},
        {"%+d", {5, -5}, "+5|-5"},
        {"% d", {5}, " 5"},
        {"%.2E", {12345.0}, "1.23E+004"},
    };
    for (const auto& [pszFormat, args, pszExpected] : rows) {
        std::string texts;
        for (const CrtArg& arg : args)
            texts += (&arg == &args.front() ? "" : "|") + CrtFormat(pszFormat, {arg});
        EXPECT_EQ(texts, pszExpected) << pszFormat;
    }
    EXPECT_EQ(CrtFormat("%.*g %.*g|%*d|100%%", {6, 1e6, 6, 15000.0F, -4, 7}), "1e+006 15000|7   |100%");
    // Misuse is refused, saying which.
    const auto refusal = [](auto format) {
        try {
            format();
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal([] { CrtFormat("%g"); }), "CrtFormat(\"%g\"): too few arguments");
    EXPECT_EQ(refusal([] { CrtFormat("%g", {1}); }),
              "CrtFormat(\"%g\"): a floating conversion needs a double argument");
    EXPECT_EQ(refusal([] { CrtFormat("%d", {1.0}); }),
              "CrtFormat(\"%d\"): an integer conversion needs an integer argument");
    EXPECT_EQ(refusal([] { CrtFormat("%s", {1}); }), "CrtFormat(\"%s\"): %s needs a text argument");
    EXPECT_EQ(refusal([] { CrtFormat("%q", {1.0}); }), "CrtFormat(\"%q\"): unsupported conversion");
    EXPECT_EQ(refusal([] { CrtFormat("%d", {1, 2}); }), "CrtFormat(\"%d\"): too many arguments");
    EXPECT_EQ(refusal([] { CrtFormat("%5"); }), "CrtFormat(\"%5\"): conversion without a type");
    // The text, then the value read and how many characters belong to the number.
    const std::vector<std::pair<std::string, CrtDouble>> grammar = {
        {"1.5xyz", {1.5, 3}}, {" \t\n\v\f\r7", {7, 7}}, {"-.5", {-0.5, 3}},  {"+3.", {3, 3}}, {"2.5d1", {25, 5}},
        {"2.5D+1", {25, 6}},  {"2.5E1", {25, 5}},       {"25e-1", {2.5, 5}}, {"1e", {1, 1}},  {"1e+", {1, 1}},
        {"0x10", {0, 1}},     {"inf", {0, 0}},          {".", {0, 0}},       {"-", {0, 0}},   {"- 5", {0, 0}},
        {"000.000", {0, 7}},  {"1,5", {1, 1}},
    };
    std::vector<std::pair<std::string, CrtDouble>> reads = {
        {"1e400", {kInf, 5}},
        {"1e99999999999999999999", {kInf, 22}},
        {"1e-400", {0, 6}},
        {"4.9406564584124654e-324", {4.9406564584124654e-324, 23}},
        {"1.7976931348623157e308", {DBL_MAX, 22}},
        {std::string(500, '9'), {kInf, 500}},
        {"0." + std::string(400, '0') + "1e402", {10, 407}},
        {"9007199254740993", {9007199254740992.0, 16}}, // a tie rounds to even
    };
    reads.insert(reads.end(), grammar.begin(), grammar.end());
    for (const auto& [text, expected] : reads) {
        EXPECT_EQ(CrtStrtod(text).value, expected.value) << '"' << text << '"';
        EXPECT_EQ(CrtStrtod(text).nConsumed, expected.nConsumed) << '"' << text << '"';
    }
    EXPECT_TRUE(std::signbit(CrtStrtod("-1e-400").value));
    // Rounds like the hardware; beyond float's range, infinity from halfway past FLT_MAX on.
    constexpr float kFloatInf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<double, float>> narrowings = {
        {0.1, 0.1F}, {double{FLT_MAX} * (1 + 1e-9), FLT_MAX}, {0x1.ffffffp127, kFloatInf}, {-1e39, -kFloatInf}};
    for (const auto& [value, expected] : narrowings)
        EXPECT_EQ(NarrowToFloat(value), expected) << value;
    EXPECT_TRUE(std::isnan(NarrowToFloat(std::nan(""))));
    // A field's text: blanks (space, tab) around the number only, and a 0 must be written with the digit 0.
    const std::vector<std::pair<const char*, std::optional<double>>> fields = {
        {"0", 0.0},           {"  0\t ", 0.0},    {".5", 0.5},         {"7\t", 7.0},
        {"\n7", 7.0},         {"-2.68", -2.68},   {"1e400", kInf},     {".0", kRejected},
        {"-0", kRejected},    {"+0", kRejected},  {"", kRejected},     {"7 7", kRejected},
        {"12abc", kRejected}, {"1,5", kRejected}, {"0x10", kRejected}, {"1e-400", kRejected},
        {"7\n", kRejected},   {"1e", kRejected},
    };
    for (const auto& [pszText, expected] : fields)
        EXPECT_EQ(ParseFloatText(pszText), expected) << '"' << pszText << '"';
    // CrtStrtol under the same rule; values beyond 32 bits clamp to its ends.
    const std::vector<std::pair<const char*, std::optional<int>>> ints = {
        {"0", 0},
        {" +7 ", 7},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-99999999999999999999999", INT32_MIN},
        {"-0", kRejected},
        {"7.5", kRejected},
        {"225.", kRejected},
        {"1e3", kRejected},
    };
    for (const auto& [pszText, expected] : ints)
        EXPECT_EQ(ParseIntText(pszText), expected) << '"' << pszText << '"';
    const CrtLong spaced = CrtStrtol("\n\v\f\r -12x");
    EXPECT_EQ(std::pair(spaced.value, spaced.nConsumed), std::pair(-12, std::size_t{8}));
}

} // namespace

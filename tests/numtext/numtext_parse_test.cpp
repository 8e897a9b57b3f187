#include "numtext/numtext.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::nullopt_t kRejected = std::nullopt;

// Each row: the text, then the value read and how many characters belong to the number.
void ExpectStrtod(const std::vector<std::pair<std::string, CrtDouble>>& rows)
{
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(CrtStrtod(text).value, expected.value) << '"' << text << '"';
        EXPECT_EQ(CrtStrtod(text).nConsumed, expected.nConsumed) << '"' << text << '"';
    }
}

TEST(CrtStrtod, Grammar)
{
    ExpectStrtod({
        {"1.5xyz", {1.5, 3}}, {" \t\n\v\f\r7", {7, 7}}, {"-.5", {-0.5, 3}},  {"+3.", {3, 3}}, {"2.5d1", {25, 5}},
        {"2.5D+1", {25, 6}},  {"2.5E1", {25, 5}},       {"25e-1", {2.5, 5}}, {"1e", {1, 1}},  {"1e+", {1, 1}},
        {"1d-x", {1, 1}},     {"0x10", {0, 1}},         {"inf", {0, 0}},     {"nan", {0, 0}}, {".", {0, 0}},
        {"-", {0, 0}},        {"- 5", {0, 0}},          {"", {0, 0}},        {"0e5", {0, 3}}, {"000.000", {0, 7}},
        {"1,5", {1, 1}},
    });
}

TEST(CrtStrtod, OverflowUnderflowAndLongTexts)
{
    ExpectStrtod({
        {"1e400", {kInf, 5}},
        {"-1e400", {-kInf, 6}},
        {"1e99999999999999999999", {kInf, 22}},
        {"1e-400", {0, 6}},
        {"2.4e-324", {0, 8}},
        {"4.9406564584124654e-324", {4.9406564584124654e-324, 23}},
        {"1.7976931348623157e308", {DBL_MAX, 22}},
        {"1.8e308", {kInf, 7}},
        {"0.000000000000000000000000000001e30", {1, 35}},
        {std::string(500, '9'), {kInf, 500}},
        {"0." + std::string(400, '0') + "1e402", {10, 407}},
    });
    EXPECT_TRUE(std::signbit(CrtStrtod("-1e-400").value));
}

TEST(CrtStrtod, RoundsCorrectly)
{
    EXPECT_EQ(CrtAtof("0.1"), 0.1);
    EXPECT_EQ(CrtAtof("2.68"), 2.68);
    EXPECT_EQ(CrtAtof("9007199254740993"), 9007199254740992.0); // a tie rounds to even
    EXPECT_EQ(CrtAtof("123456789012345678901234567890"), 123456789012345678901234567890.0);
}

TEST(CrtStrtol, GrammarAndClamp)
{
    const std::vector<std::pair<const char*, CrtLong>> rows = {
        {" +7", {7, 3}},
        {"007", {7, 3}},
        {"-0", {0, 2}},
        {"12abc", {12, 2}},
        {"abc", {0, 0}},
        {"- 5", {0, 0}},
        {"7.5", {7, 1}},
        {"2147483647", {kIntMax, 10}},
        {"2147483648", {kIntMax, 10}},
        {"99999999999", {kIntMax, 11}},
        {"-2147483648", {kIntMin, 11}},
        {"-99999999999999999999999", {kIntMin, 24}},
    };
    for (const auto& [pszText, expected] : rows) {
        EXPECT_EQ(CrtStrtol(pszText).value, expected.value) << '"' << pszText << '"';
        EXPECT_EQ(CrtStrtol(pszText).nConsumed, expected.nConsumed) << '"' << pszText << '"';
    }
}

TEST(ParseFloatText, AcceptsAndRejects)
{
    const std::vector<std::pair<const char*, std::optional<double>>> rows = {
        {"0", 0.0},          {"00", 0.0},           {"0.0", 0.0},         {"0e5", 0.0},
        {"  0  ", 0.0},      {".5", 0.5},           {"  7", 7.0},         {"7  ", 7.0},
        {"7\t", 7.0},        {"2.5d1", 25.0},       {"2.5E1", 25.0},      {"1500 ", 1500.0},
        {"-2.68", -2.68},    {"1e400", kInf},       {"\n7", 7.0},         {".0", kRejected},
        {"-0", kRejected},   {"+0", kRejected},     {"-0.0", kRejected},  {"", kRejected},
        {"   ", kRejected},  {"7 7", kRejected},    {"12abc", kRejected}, {"1,5", kRejected},
        {"0x10", kRejected}, {"1e-400", kRejected}, {"abc", kRejected},   {"7\n", kRejected},
        {"1e", kRejected},   {"inf", kRejected},
    };
    for (const auto& [pszText, expected] : rows)
        EXPECT_EQ(ParseFloatText(pszText), expected) << '"' << pszText << '"';
}

TEST(ParseIntText, AcceptsAndRejects)
{
    const std::vector<std::pair<const char*, std::optional<int>>> rows = {
        {"0", 0},
        {"+7", 7},
        {"007", 7},
        {" 301 ", 301},
        {"99999999999", kIntMax},
        {"-99999999999", kIntMin},
        {"-5", -5},
        {"-0", kRejected},
        {"+0", kRejected},
        {"7.5", kRejected},
        {"225.", kRejected},
        {"", kRejected},
        {"x", kRejected},
        {"1e3", kRejected},
        {"7 7", kRejected},
    };
    for (const auto& [pszText, expected] : rows)
        EXPECT_EQ(ParseIntText(pszText), expected) << '"' << pszText << '"';
}

TEST(NarrowToFloat, RoundsLikeTheHardwareAndSaturatesToInfinity)
{
    EXPECT_EQ(NarrowToFloat(0.1), 0.1F);
    EXPECT_EQ(NarrowToFloat(50.000001), 50.0F); // a millionth above 50 is 50 in single precision
    EXPECT_GT(NarrowToFloat(50.00001), 50.0F);
    EXPECT_EQ(NarrowToFloat(double{FLT_MAX} * (1 + 1e-9)), FLT_MAX);
    EXPECT_EQ(NarrowToFloat(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(-kInf), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(NarrowToFloat(std::nan(""))));
}

} // namespace

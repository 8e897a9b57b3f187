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

struct StrtodRow
{
    std::string text;
    double value;
    std::size_t nConsumed;
};

TEST(CrtStrtod, Grammar)
{
    const std::vector<StrtodRow> rows = {
        {"1.5xyz", 1.5, 3},
        {" \t\n\v\f\r7", 7, 7},
        {"-.5", -0.5, 3},
        {"+3.", 3, 3},
        {"2.5d1", 25, 5},
        {"2.5D+1", 25, 6},
        {"2.5E1", 25, 5},
        {"25e-1", 2.5, 5},
        {"1e", 1, 1},
        {"1e+", 1, 1},
        {"1d-x", 1, 1},
        {"0x10", 0, 1},
        {"inf", 0, 0},
        {"nan", 0, 0},
        {".", 0, 0},
        {"-", 0, 0},
        {"- 5", 0, 0},
        {"", 0, 0},
        {"0e5", 0, 3},
        {"000.000", 0, 7},
        {"1,5", 1, 1},
        {"1e400", kInf, 5},
        {"-1e400", -kInf, 6},
        {"1e99999999999999999999", kInf, 22},
        {"1e-400", 0, 6},
        {"2.4e-324", 0, 8},
        {"4.9406564584124654e-324", 4.9406564584124654e-324, 23},
        {"1.7976931348623157e308", DBL_MAX, 22},
        {"1.8e308", kInf, 7},
        {"0.000000000000000000000000000001e30", 1, 35},
        {std::string(500, '9'), kInf, 500},
        {"0." + std::string(400, '0') + "1e402", 10, 407},
    };
    for (const StrtodRow& row : rows) {
        const CrtDouble number = CrtStrtod(row.text);
        EXPECT_EQ(number.value, row.value) << '"' << row.text << '"';
        EXPECT_EQ(number.nConsumed, row.nConsumed) << '"' << row.text << '"';
    }
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
    struct Row
    {
        const char* pszText;
        std::int32_t value;
        std::size_t nConsumed;
    };
    const std::vector<Row> rows = {
        {" +7", 7, 3},
        {"007", 7, 3},
        {"-0", 0, 2},
        {"12abc", 12, 2},
        {"abc", 0, 0},
        {"- 5", 0, 0},
        {"7.5", 7, 1},
        {"2147483647", 2147483647, 10},
        {"2147483648", 2147483647, 10},
        {"99999999999", 2147483647, 11},
        {"-2147483648", -2147483647 - 1, 11},
        {"-99999999999999999999999", -2147483647 - 1, 24},
    };
    for (const Row& row : rows) {
        const CrtLong number = CrtStrtol(row.pszText);
        EXPECT_EQ(number.value, row.value) << '"' << row.pszText << '"';
        EXPECT_EQ(number.nConsumed, row.nConsumed) << '"' << row.pszText << '"';
    }
}

struct ParseRow
{
    const char* pszText;
    std::optional<double> expected;
};

TEST(ParseFloatText, AcceptsAndRejects)
{
    const std::vector<ParseRow> rows = {
        {"0", 0.0},
        {"00", 0.0},
        {"0.0", 0.0},
        {"0e5", 0.0},
        {"  0  ", 0.0},
        {".5", 0.5},
        {"  7", 7.0},
        {"7  ", 7.0},
        {"7\t", 7.0},
        {"2.5d1", 25.0},
        {"2.5E1", 25.0},
        {"1500 ", 1500.0},
        {"-2.68", -2.68},
        {"1e400", kInf},
        {".0", std::nullopt},
        {"-0", std::nullopt},
        {"+0", std::nullopt},
        {"-0.0", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"7 7", std::nullopt},
        {"12abc", std::nullopt},
        {"1,5", std::nullopt},
        {"0x10", std::nullopt},
        {"1e-400", std::nullopt},
        {"abc", std::nullopt},
        {"7\n", std::nullopt},
        {"\n7", 7.0},
        {"1e", std::nullopt},
        {"inf", std::nullopt},
    };
    for (const ParseRow& row : rows)
        EXPECT_EQ(ParseFloatText(row.pszText), row.expected) << '"' << row.pszText << '"';
}

TEST(ParseIntText, AcceptsAndRejects)
{
    struct Row
    {
        const char* pszText;
        std::optional<int> expected;
    };
    const std::vector<Row> rows = {
        {"0", 0},
        {"+7", 7},
        {"007", 7},
        {" 301 ", 301},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"-5", -5},
        {"-0", std::nullopt},
        {"+0", std::nullopt},
        {"7.5", std::nullopt},
        {"225.", std::nullopt},
        {"", std::nullopt},
        {"x", std::nullopt},
        {"1e3", std::nullopt},
        {"7 7", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseIntText(row.pszText), row.expected) << '"' << row.pszText << '"';
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

#include "numtext/numtext.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Every format the program writes, with the runtime's three-digit exponents: the format, the value, the text.
TEST(CrtFormat, FloatConversions)
{
    const std::vector<std::tuple<const char*, double, const char*>> rows = {
        {"%g", double{2.68F}, "2.68"},
        {"%g", 0.0, "0"},
        {"%g", 1e6, "1e+006"},
        {"%g", 5e-5, "5e-005"},
        {"%g", 1234567.0, "1.23457e+006"},
        {"%g", 0.0001, "0.0001"},
        {"%g", 123456.0, "123456"},
        {"%g", double{26.4F}, "26.4"},
        {"%g", 1e100, "1e+100"},
        {"%g", -2.5e-300, "-2.5e-300"},
        {"%G", 1e-10, "1E-010"},
        {"%4.1f", 5.0, " 5.0"},
        {"%4.1f", 12.38, "12.4"},
        {"%4.1f", -11.44, "-11.4"},
        {"%4.1f", 123456.78, "123456.8"},
        {"%-5.0f", 1500.0, "1500 "},
        {"%-5.0f", 0.0, "0    "},
        {"%-5.0f", 123456.0, "123456"},
        {"%-5.1f", double{27.4F}, "27.4 "},
        {"%5.0f", 1500.0, " 1500"},
        {"%4.2g", double{2.68F}, " 2.7"},
        {"%4.2g", double{0.75F}, "0.75"},
        {"%4.2g", 2.0, "   2"},
        {"%4.2g", 0.0, "   0"},
        {"%4.2g", 12345.0, "1.2e+004"},
        {"%e", 12345.678, "1.234568e+004"},
        {"%.0e", 5.0, "5e+000"},
        {"%+.1f", 2.0, "+2.0"},
        {"% .1f", 2.0, " 2.0"},
        {"%06.1f", -2.5, "-002.5"},
        {"%g", kInf, "inf"},
        {"%-5.0f", -kInf, "-inf "},
        {"%06.1f", kInf, "   inf"},
    };
    for (const auto& [pszFormat, value, pszExpected] : rows)
        EXPECT_EQ(CrtFormat(pszFormat, {value}), pszExpected) << pszFormat << " of " << value;
}

TEST(CrtFormat, StarPrecisionTakesAnIntArgument)
{
    EXPECT_EQ(CrtFormat("%.*g", {6, 1e6}), "1e+006");
    EXPECT_EQ(CrtFormat("%.*g", {6, 0.5}), "0.5");
    EXPECT_EQ(CrtFormat("%.*g", {6, double{15000.0F}}), "15000");
    EXPECT_EQ(CrtFormat("%*d|", {-4, 7}), "7   |");
}

TEST(CrtFormat, IntegersTextsAndLiterals)
{
    EXPECT_EQ(CrtFormat("%d", {0}), "0");
    EXPECT_EQ(CrtFormat("%ld", {-2147483647L - 1}), "-2147483648");
    EXPECT_EQ(CrtFormat("%5d|%-5d|%05d", {42, 42, -42}), "   42|42   |-0042");
    EXPECT_EQ(CrtFormat("%.3d", {7}), "007");
    EXPECT_EQ(CrtFormat("100%%"), "100%");
    EXPECT_EQ(CrtFormat("Reverse  %4.2g %s\n", {double{2.9F}, "-11.4"}), "Reverse   2.9 -11.4\n");
    EXPECT_EQ(CrtFormat("[%6s][%-6s][%.2s]", {"N/A", "N/A", "N/A"}), "[   N/A][N/A   ][N/]");
}

TEST(CrtFormat, MisuseIsRefused)
{
    EXPECT_THROW(CrtFormat("%g"), std::invalid_argument);
    EXPECT_THROW(CrtFormat("%g", {1}), std::invalid_argument);
    EXPECT_THROW(CrtFormat("%d", {1.0}), std::invalid_argument);
    EXPECT_THROW(CrtFormat("%q", {1.0}), std::invalid_argument);
    EXPECT_THROW(CrtFormat("%d", {1, 2}), std::invalid_argument);
    EXPECT_THROW(CrtFormat("%5"), std::invalid_argument);
}

} // namespace

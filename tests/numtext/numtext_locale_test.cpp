#include "numtext/numtext.h"

#include <clocale>
#include <cstdio>
#include <locale>
#include <string>

#include <gtest/gtest.h>

namespace {

// Switches the whole process to a locale whose decimal mark is a comma, and back.
class CommaLocale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strSavedC = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing; tools/test.sh generates it";
        std::locale::global(std::locale("de_DE.UTF-8"));
    }
    void TearDown() override
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, m_strSavedC.c_str());
    }

private:
    std::string m_strSavedC;
};

TEST_F(CommaLocale, NumbersWriteAndReadAsInTheCLocale)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", 2.68);
    ASSERT_STREQ(buffer, "2,68") << "the locale switch did not take effect";

    EXPECT_EQ(CrtFormat("%g", {double{2.68F}}), "2.68");
    EXPECT_EQ(CrtFormat("%4.1f", {12.38}), "12.4");
    EXPECT_EQ(CrtFormat("%g", {1e6}), "1e+006");
    EXPECT_EQ(CrtAtof("2.68"), 2.68);
    EXPECT_EQ(CrtAtof("2,68"), 2.0);
    EXPECT_EQ(ParseFloatText("26.4"), 26.4);
    EXPECT_EQ(ParseFloatText("26,4"), std::nullopt);
    EXPECT_EQ(ParseIntText("1.000"), std::nullopt);
}

} // namespace

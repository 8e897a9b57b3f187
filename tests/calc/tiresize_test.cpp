#include "calc/tiresize.h"

#include <optional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(ParseTireSize, NotationsGoodAndBad)
{
    using enum TireNotation;
    const std::vector<std::tuple<const char*, TireNotation, const char*>> rows = {
        {"P225/70R15", Metric, "27.40 in, 696 mm, 736 revs/mile"},
        {"205/55R16", Metric, "24.88 in, 632 mm, 811 revs/mile"},
        {"265/70R17", Metric, "31.61 in, 803 mm, 638 revs/mile"},
        {"285/70R17", Metric, "32.71 in, 831 mm, 617 revs/mile"},
        {"225/70-15", Metric, "27.40 in, 696 mm, 736 revs/mile"},
        {"205/55ZR16 91W", Metric, "24.88 in, 632 mm, 811 revs/mile"},
        {" p 225 / 70 r 15 ", Metric, "27.40 in, 696 mm, 736 revs/mile"},
        {"195/70R15C 104/102R", Metric, "25.75 in, 654 mm, 783 revs/mile"},
        {"245/40ZR18 (97Y) XL", Metric, "25.72 in, 653 mm, 784 revs/mile"},
        {"LT265/75R16 123/120S", LtMetric, "31.65 in, 804 mm, 637 revs/mile"},
        {"33x12.50R15", Flotation, "33.00 in, 838 mm, 611 revs/mile"},
        {"33X12.50-15LT", Flotation, "33.00 in, 838 mm, 611 revs/mile"},
        {"37-622", IsoBicycle, "27.40 in, 696 mm, 736 revs/mile"},
    };
    for (const auto& [pszText, notation, pszDescription] : rows) {
        const TireSizeParse parse = ParseTireSize(pszText);
        ASSERT_TRUE(parse.size && parse.strMessage.empty()) << pszText;
        EXPECT_EQ(parse.size->notation, notation) << pszText;
        EXPECT_EQ(DescribeTireSize(*parse.size), pszDescription) << pszText;
    }
    for (const char* pszText :
         {"", "P225/70", "225/70R", "225R15", "225/70X15", "225/70R15 junk", "225/70R15.", "0/70R15", "225/0R15",
          "225/70R0", "225/70R51", "P33x12.50R15", "33x12.50R40", "37-62", "37-622 91W", "0-622"}) {
        const TireSizeParse parse = ParseTireSize(pszText);
        EXPECT_TRUE(!parse.size && parse.strMessage == kTireSizeHint) << '"' << pszText << '"';
    }
    EXPECT_EQ(FormatTireFieldText(ParseTireSize("P225/70R15").size->inches), "27.40");
}

} // namespace

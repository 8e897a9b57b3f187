#include "calc/tirediameter.h"

#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(ComputeTireDiameter, Sizes)
{
    struct Row
    {
        int nWidth, nAspect;
        float fRim;
        const char* pszText;
    };
    const std::vector<Row> rows = {
        {225, 70, 15.0F, "27.4"},    {225, 301, 15.0F, "68.3"},
        {1, 1, 1.0F, " 1.0"},        {0, 70, 15.0F, "N/A"},
        {225, 0, 15.0F, "N/A"},      {225, 70, 0.0F, "N/A"},
        {1000, 300, 50.0F, "286.2"}, {225, 70, std::numeric_limits<float>::infinity(), "N/A"},
    };
    for (const Row& row : rows) {
        const TireDiameter result = ComputeTireDiameter(row.nWidth, row.nAspect, row.fRim);
        EXPECT_EQ(result.strText, row.pszText) << row.nWidth << '/' << row.nAspect << 'R' << row.fRim;
        EXPECT_EQ(result.inches.has_value(), row.nWidth != 0 && row.nAspect != 0 && row.fRim != 0.0F);
    }
    EXPECT_NEAR(*ComputeTireDiameter(225, 70, 15.0F).inches, 27.4, 0.005);
}

} // namespace

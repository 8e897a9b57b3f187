#include "calc/gearsettings.h"

#include <set>

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "tests/support/samplerecord.h"

namespace {

// Applies a preset as the calculator does: each text parsed like a typed field.
GearSettings Apply(GearSettings settings, const auto& preset)
{
    for (const PresetStep& step : preset)
        settings[step.field] = NarrowToFloat(ParseFloatText(step.text).value());
    return settings;
}

TEST(GearSettings, EveryValueHasItsOwnMemberAndRange)
{
    GearSettings settings;
    std::set<const float*> members;
    for (const GearValueInfo& info : kGearExchangeOrder) {
        members.insert(&settings[info.value]);
        EXPECT_EQ(&settings[info.value], &(settings.*info.pMember));
        EXPECT_EQ(info.fMin, 0.0F);
        const float fExpectedMax =
            info.value == GearValue::Rpm ? 15000.0F : (info.value == GearValue::TireOD ? 100.0F : 50.0F);
        EXPECT_EQ(info.fMax, fExpectedMax);
    }
    EXPECT_EQ(members.size(), kGearExchangeOrder.size());
}

// Applied over a record of sevens, a value no preset holds, each preset must write every field.
TEST(GearSettings, PresetsGiveTheSampleRecordAndClearIt)
{
    GearSettings sevens;
    for (const GearValueInfo& info : kGearExchangeOrder)
        sevens[info.value] = 7.0F;
    const GearSettings sample = Apply(sevens, kSampleSettings);
    const GearSettings cleared = Apply(sevens, kClearedSettings);
    for (const GearValueInfo& info : kGearExchangeOrder) {
        EXPECT_EQ(sample[info.value], SampleSettings()[info.value]);
        EXPECT_EQ(cleared[info.value], 0.0F);
    }
}

} // namespace

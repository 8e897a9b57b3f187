#include "calc/gearsettings.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "calc/roadspeed.h"
#include "numtext/numtext.h"

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

TEST(GearSettings, PresetsWriteEveryFieldOnce)
{
    for (const auto* pPreset : {&kSampleSettings, &kClearedSettings}) {
        std::set<GearValue> fields;
        for (const PresetStep& step : *pPreset)
            fields.insert(step.field);
        EXPECT_EQ(fields.size(), kGearExchangeOrder.size());
    }
}

TEST(GearSettings, SamplePresetGivesTheSampleRecord)
{
    const GearSettings settings = Apply(GearSettings{}, kSampleSettings);
    EXPECT_EQ(settings.m_fRpm, 1500.0F);
    EXPECT_EQ(settings.m_fGear1, 2.68F);
    EXPECT_EQ(settings.m_fGear5, 0.75F);
    EXPECT_EQ(settings.m_fGear6, 0.0F);
    EXPECT_EQ(settings.m_fRearEnd, 3.53F);
    EXPECT_EQ(settings.m_fTireOD, 26.4F);
    EXPECT_EQ(settings.m_fReverse, 2.9F);
    EXPECT_EQ(BuildSpeedTable(settings)[5], "N/A");

    const GearSettings cleared = Apply(settings, kClearedSettings);
    for (const GearValueInfo& info : kGearExchangeOrder)
        EXPECT_EQ(cleared[info.value], 0.0F);
}

} // namespace

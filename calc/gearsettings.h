#pragma once

// The gearing calculations: the ten values the calculator works on, the road speed of every gear and the
// diameter of a tire from its metric size. The dialogs bind these values to their fields and show the texts
// built here; the settings file stores them. Plain computation on the standard library only: no toolkit, no
// dialogs, no files.

#include <array>
#include <cstddef>
#include <string_view>

// The values in the order that every exchange pass reads them: a pass that stops at a bad field leaves the
// values after it as they were, so this order decides what the record holds after a prompt.
enum class GearValue
{
    Rpm,
    Gear1,
    RearEnd,
    TireOD,
    Gear2,
    Gear3,
    Gear4,
    Gear5,
    Gear6,
    Reverse,
};

struct GearSettings
{
    float m_fRpm = 0.0F;
    float m_fGear1 = 0.0F;
    float m_fRearEnd = 0.0F;
    float m_fTireOD = 0.0F; // outside diameter of the rear tire, inches
    float m_fGear2 = 0.0F;
    float m_fGear3 = 0.0F;
    float m_fGear4 = 0.0F;
    float m_fGear5 = 0.0F;
    float m_fGear6 = 0.0F;
    float m_fReverse = 0.0F; // entered as a positive ratio

    constexpr float& operator[](GearValue value);
    constexpr float operator[](GearValue value) const;
};

struct GearValueInfo
{
    GearValue value;
    float GearSettings::*pMember;
    float fMin; // inclusive
    float fMax; // inclusive
};

// Indexed by GearValue, which lists the values in this same order.
inline constexpr std::array<GearValueInfo, 10> kGearExchangeOrder{{
    {GearValue::Rpm, &GearSettings::m_fRpm, 0.0F, 15000.0F},
    {GearValue::Gear1, &GearSettings::m_fGear1, 0.0F, 50.0F},
    {GearValue::RearEnd, &GearSettings::m_fRearEnd, 0.0F, 50.0F},
    {GearValue::TireOD, &GearSettings::m_fTireOD, 0.0F, 100.0F},
    {GearValue::Gear2, &GearSettings::m_fGear2, 0.0F, 50.0F},
    {GearValue::Gear3, &GearSettings::m_fGear3, 0.0F, 50.0F},
    {GearValue::Gear4, &GearSettings::m_fGear4, 0.0F, 50.0F},
    {GearValue::Gear5, &GearSettings::m_fGear5, 0.0F, 50.0F},
    {GearValue::Gear6, &GearSettings::m_fGear6, 0.0F, 50.0F},
    {GearValue::Reverse, &GearSettings::m_fReverse, 0.0F, 50.0F},
}};

constexpr const GearValueInfo& GetGearValueInfo(GearValue value)
{
    return kGearExchangeOrder[static_cast<std::size_t>(value)];
}

static_assert([] {
    for (std::size_t i = 0; i < kGearExchangeOrder.size(); ++i) {
        if (static_cast<std::size_t>(kGearExchangeOrder[i].value) != i)
            return false;
    }
    return true;
}());

constexpr float& GearSettings::operator[](GearValue value)
{
    return this->*GetGearValueInfo(value).pMember;
}

constexpr float GearSettings::operator[](GearValue value) const
{
    return this->*GetGearValueInfo(value).pMember;
}

// The forward gears, first to sixth.
inline constexpr std::array<GearValue, 6> kForwardGears{GearValue::Gear1, GearValue::Gear2, GearValue::Gear3,
                                                        GearValue::Gear4, GearValue::Gear5, GearValue::Gear6};

// A preset is not stored into the record directly: the calculator writes these texts into its fields one by
// one, in this order, and each write is judged like a keystroke.
struct PresetStep
{
    GearValue field;
    std::string_view text;
};

inline constexpr std::array<PresetStep, 10> kSampleSettings{{
    {GearValue::Rpm, "1500"},
    {GearValue::Gear1, "2.68"},
    {GearValue::Gear2, "2.0"},
    {GearValue::Gear3, "1.3"},
    {GearValue::Gear4, "1.0"},
    {GearValue::Gear5, "0.75"},
    {GearValue::Gear6, "0"},
    {GearValue::RearEnd, "3.53"},
    {GearValue::TireOD, "26.4"},
    {GearValue::Reverse, "2.9"},
}};

inline constexpr std::array<PresetStep, 10> kClearedSettings{{
    {GearValue::Rpm, "0"},
    {GearValue::Gear1, "0"},
    {GearValue::Gear2, "0"},
    {GearValue::Gear3, "0"},
    {GearValue::Gear4, "0"},
    {GearValue::Gear5, "0"},
    {GearValue::RearEnd, "0"},
    {GearValue::TireOD, "0"},
    {GearValue::Gear6, "0"},
    {GearValue::Reverse, "0"},
}};

// The Gas and Brake buttons step the engine speed by this much, within the RPM range.
inline constexpr double kRpmStep = 100.0;

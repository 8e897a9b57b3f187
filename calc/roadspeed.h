#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/gearsettings.h"

// The gears of the speed table, in the order of its seven displays.
inline constexpr std::array<GearValue, 7> kSpeedTableGears{
    GearValue::Gear1, GearValue::Gear2, GearValue::Gear3,   GearValue::Gear4,
    GearValue::Gear5, GearValue::Gear6, GearValue::Reverse,
};

using SpeedTable = std::array<std::string, 7>;

// The rolling circumference factor the calculator has always used in place of pi: its speeds read about 0.56%
// low. Held as version 2.0's single-precision value; the last decimal of a speed, in the displays and in saved
// files, depends on it.
inline constexpr float kCircumferenceFactor = 3.124F;

// Road speed in miles per hour at the record's engine speed, or nothing when the ratio, the rear-end ratio or
// the tire diameter is 0. Reverse speeds are negative.
std::optional<double> ComputeGearSpeed(const GearSettings& settings, float fRatio, bool bReverse);

// "%4.1f", or "N/A" for no speed and for a speed that is not a finite number. A zero speed shows no minus sign.
std::string FormatSpeedText(std::optional<double> speed);

SpeedTable BuildSpeedTable(const GearSettings& settings);

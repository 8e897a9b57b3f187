#pragma once

#include <optional>
#include <string>
#include <string_view>

// A metric tire size: section width in millimetres, aspect ratio in percent, rim diameter in inches.
struct TireSizeRanges
{
    static constexpr int kWidthMin = 0;
    static constexpr int kWidthMax = 1000;
    static constexpr int kAspectMin = 0;
    static constexpr int kAspectMax = 300;
    static constexpr float kRimMin = 0.0F;
    static constexpr float kRimMax = 50.0F;
};

// The "Sample Tire" button writes these into width, aspect and rim, in that order: a P225/70R15.
inline constexpr std::string_view kSampleTireWidth = "225";
inline constexpr std::string_view kSampleTireAspect = "70";
inline constexpr std::string_view kSampleTireRim = "15";

struct TireDiameter
{
    std::optional<double> inches; // nothing when any of the three is 0
    std::string strText;          // "%4.1f", or "N/A"
};

TireDiameter ComputeTireDiameter(int nWidth, int nAspect, float fRim);

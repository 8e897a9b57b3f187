#pragma once

#include <string>
#include <vector>

#include "calc/gearsettings.h"

// The shift chart of a record, as plain data: road speed across, engine RPM up from 0 to the set RPM. Every
// forward gear with a speed is a line from the origin to its speed at the set RPM; the upshift sawtooth
// drops, at each gear's top speed, from the set RPM to what the next fitted gear turns at that speed.
// Reverse is not charted. Values held after a failed range test are charted as they stand; the axes stop at
// sane limits and whatever lies beyond is for the drawing to clip.

struct ShiftChartGear
{
    int nGear;  // 1 to 6
    double mph; // its speed at the set RPM: the line's end
};

struct ShiftChartTooth
{
    int nFromGear;
    int nToGear;
    double mph;       // where the shift happens: the speed of nFromGear at the set RPM
    double rpmTop;    // the set RPM
    double rpmBottom; // what nToGear turns at that speed
};

struct ShiftChartTick
{
    double value; // position along the axis, in the axis's own unit (MPH across, RPM up)
    std::string text;
};

struct ShiftChart
{
    double rpm = 0;                // the set RPM: where every gear's line ends
    double mphMin = 0, mphMax = 0; // the speed axis
    double rpmMin = 0, rpmMax = 0; // the RPM axis; the set RPM is one of its ends
    std::vector<ShiftChartGear> gears;
    std::vector<ShiftChartTooth> teeth;
    std::vector<ShiftChartTick> mphTicks; // along the bottom
    std::vector<ShiftChartTick> kmhTicks; // along the top: placed in MPH, labelled in km/h
    std::vector<ShiftChartTick> rpmTicks;

    bool IsEmpty() const { return gears.empty(); }
};

inline constexpr double kKilometresPerMile = 1.609344;
inline constexpr double kMillimetresPerInch = 25.4;
// Beyond these the axes stop; a car's chart never needs them.
inline constexpr double kChartMphLimit = 1000.0;
inline constexpr double kChartRpmLimit = 100000.0;

// With pAlso, the axes are wide and high enough for that record's lines too (setup B drawn on the same chart).
ShiftChart ComputeShiftChart(const GearSettings& settings, const GearSettings* pAlso = nullptr);
// The gears, RPM and teeth of ComputeShiftChart, without the axes: for figures that draw nothing.
ShiftChart ComputeShiftGears(const GearSettings& settings);

// The round step (1, 2 or 5 times a power of ten) that divides a range into at most nMaxTicks ticks.
double NiceStep(double range, int nMaxTicks);
// Round-numbered ticks (steps of 1, 2 or 5 times a power of ten) from first to last, inclusive, a handful of
// them; none when the range is empty or not finite.
std::vector<double> NiceTicks(double first, double last, int nMaxTicks);

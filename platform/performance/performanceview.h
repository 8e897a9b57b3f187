#pragma once

// What the Performance window shows of an analysis, as plain data in the units the user chose: the chart of wheel
// force against road speed, the table per gear and the top speed in words. Without Qt, so that a file drawn from
// the same analysis (an export, the command line) shows what the window shows.

#include <string>
#include <string_view>
#include <vector>

#include "calc/performance.h"
#include "platform/plot.h"

enum class ForceUnit
{
    Newtons,
    PoundsForce,
};

enum class SpeedUnit
{
    KilometresPerHour,
    MilesPerHour,
};

struct PerformanceUnits
{
    ForceUnit force = ForceUnit::Newtons;
    SpeedUnit speed = SpeedUnit::KilometresPerHour;
};

std::string_view ForceUnitName(ForceUnit unit); // "N", "lbf"
std::string_view SpeedUnitName(SpeedUnit unit); // "km/h", "MPH"

// A number as people type it: the fewest decimals that read back as the same value ("4.714", "6500").
std::string NumberText(double value);

// One curve per gear in its series' colour, labelled with its number, the road load, a marker at each upshift and
// at the top speed, a key; the axes from 0 to a round number past the highest force and the fastest gear's redline.
// Its description names the gears, every upshift and the top speed.
PlotData MakeForceChart(const CPerformanceModel& model, const PerformanceAnalysis& analysis, PerformanceUnits units);

// The columns of the table per gear, each with its unit: "At redline (km/h)".
std::vector<std::string> PerformanceTableHeaders(PerformanceUnits units);
// A row per gear: ratio, final drive, overall ratio, speed at the redline, upshift RPM ("6500 (redline)"), its road
// speed, the RPM after it, the wheel force before and after it, the gear's top speed and its limit; N/A where a gear
// has none.
std::vector<std::vector<std::string>> PerformanceTableRows(const PerformanceAnalysis& analysis, PerformanceUnits units);
// "Top speed: 261.9 km/h in 7th, limited by the road load."
std::string DescribeTopSpeed(const PerformanceAnalysis& analysis, PerformanceUnits units);

#pragma once

// The workbench figures of a record and the per-gear report built from them: speeds in km/h, MPH per 1000 RPM,
// the engine RPM at a cruise speed, the comparison with a second record ("setup B") and the RPM drop of each
// upshift. The panel, the printed page and the exports all show a report built by BuildGearReport, and every
// figure carries its own formatter, so each of them shows the same texts.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"

// One format per kind of number, in every report: a ratio never reads "2" in one place and "2.0" in another.
enum class FigureKind
{
    Ratio,   // "%.3f": gear, rear-end and overall ratios
    Speed,   // MPH, km/h, MPH per 1000 RPM: "%4.1f" as the speed displays show it
    Rpm,     // whole RPM: "%.0f"
    Percent, // with its sign: "+6.1%"
    Inches,  // a tire diameter: "%.2f", as the tire field receives one
};

struct Figure
{
    std::optional<double> value; // nothing for N/A and for a value that is not a finite number
    FigureKind kind = FigureKind::Speed;

    // What a display shows: "N/A" for nothing; a speed keeps the leading blank of "%4.1f".
    std::string Text() const;
    // The value at the display's precision as a plain number ("12.4", "6.1", "2.68"), '.' as decimal mark, no
    // padding, sign or unit; empty for nothing.
    std::string NumberText() const;
};

// Drops a value that is not finite.
Figure MakeFigure(std::optional<double> value, FigureKind kind);

// "1st" to "6th", "Reverse"; empty for a value that is no gear.
std::string_view GearName(GearValue gear);
// The name of forward gear 1 to 6; empty for another number.
std::string_view GearName(int nForwardGear);

// How a user reads speeds and tires: MPH and inches first, or km/h and millimetres first. The calculator's own
// displays stay in MPH and inches either way.
enum class Units
{
    Us,
    Metric,
};

// A cruise speed as the user typed it, in MPH or km/h; reports tell it in the unit typed.
struct CruiseSpeed
{
    enum class Unit
    {
        Mph,
        Kmh,
    };
    double value = 0;
    Unit unit = Unit::Mph;

    double Mph() const;
    // "70 MPH", "110 km/h", "68.4 MPH": one decimal unless it is 0.
    std::string Text() const;
    std::string_view UnitText() const; // "MPH" or "km/h"
    bool operator==(const CruiseSpeed&) const = default;
};

// Faster than this is no cruise speed but a typing error.
inline constexpr double kMaxCruiseMph = 500;
inline constexpr double kMaxCruiseKmh = 800;

// "70", "70 mph", "110 km/h" (also "kmh" and "kph"): any case, blanks allowed, bareUnit when no unit is given.
// Nothing for a text it cannot read and for a speed that is not above 0 or beyond the unit's maximum.
std::optional<CruiseSpeed> ParseCruiseSpeed(std::string_view text, CruiseSpeed::Unit bareUnit = CruiseSpeed::Unit::Mph);

// The gear's speed at 1000 RPM, from the calculator's own speed formula; nothing where it shows N/A.
std::optional<double> ComputeMphPer1000Rpm(const GearSettings& settings, GearValue gear);
// The engine RPM at a road speed in a forward gear, the inverse of the calculator's speeds; nothing for
// Reverse and where the gear has no speed.
std::optional<double> ComputeRpmAtSpeed(const GearSettings& settings, GearValue gear, double mph);

std::optional<double> MphToKmh(std::optional<double> mph);

// (current - B) / B of the gear's speeds, in percent; nothing where either has no speed.
std::optional<double> ComputeSpeedDifference(const GearSettings& current, const GearSettings& setupB, GearValue gear);
// What a speedometer calibrated for B reads at a true 60 MPH. It is driven by the gearbox output, so the tire
// and the rear end count and the gear does not. Nothing when either record lacks a rear end or a tire.
std::optional<double> ComputeSpeedometerReading(const GearSettings& current, const GearSettings& setupB);

// One upshift between consecutive fitted forward gears at the set RPM; the gears count from 1.
struct ShiftDrop
{
    int nFromGear = 0;
    int nToGear = 0;
    Figure rpmBefore; // the set RPM
    Figure rpmAfter;  // rpm x next ratio / ratio
    Figure drop;
};

// The teeth of the shift chart, so the chart and the figures cannot disagree.
std::vector<ShiftDrop> ComputeShiftDrops(const GearSettings& settings);
// The RPM after the upshift and its change, with one sign: "1119 (-381)", "12000 (+6000)" when the next gear
// is the lower one; "N/A" when either is not a number.
std::string ShiftDropText(const ShiftDrop& drop);

// A tire diameter as a user of these units reads it: "28.00 in" or "711.2 mm".
std::string TireText(double inches, Units units);
// A record in a few words, as setup B is told: "1500 RPM, rear-end 3.530, tire 28.00 in".
std::string DescribeSetup(const GearSettings& settings, Units units = Units::Us);

struct GearReportRow
{
    GearValue gear = GearValue::Gear1;
    Figure ratio;
    Figure overallRatio; // ratio x rear-end
    Figure mph;
    Figure kmh;
    Figure mphPer1000Rpm;
    Figure rpmAtCruise;   // forward gears, when a cruise speed is set
    Figure differenceToB; // when B is held
    Figure mphAtRedline;  // forward gears, when a redline is set
    Figure kmhAtRedline;
    bool bCruiseAboveRedline = false; // the engine would have to turn past the redline to cruise in this gear
};

struct GearReport
{
    GearSettings settings;
    std::optional<CruiseSpeed> cruise;
    std::optional<GearSettings> setupB;
    std::optional<double> redlineRpm;
    Units units = Units::Us;
    std::string strTireSource;         // where the tire value came from, when the workbench knows: one sentence
    std::array<GearReportRow, 7> rows; // in kSpeedTableGears order
    std::vector<ShiftDrop> shiftDrops;
    Figure speedometerAt60; // when B is held
};

GearReport BuildGearReport(const GearSettings& settings, std::optional<CruiseSpeed> cruise = std::nullopt,
                           const std::optional<GearSettings>& setupB = std::nullopt,
                           std::optional<double> redlineRpm = std::nullopt);

// The highest engine speed a user may set as the redline; anything above is a typing error.
inline constexpr double kMaxRedlineRpm = 30000;
// "6500" or "6500 rpm", above 0 and at most kMaxRedlineRpm; nothing otherwise.
std::optional<double> ParseRedline(std::string_view text);

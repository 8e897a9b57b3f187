#pragma once

// What a tire swap does: two tires side by side (sizes in any notation, or bare diameters), how far apart they
// are against the usual ±3% guideline, what a speedometer set for the first one shows on the second, and the
// rear-end ratio that gives the new tire the old overall gearing, with the nearest ratios sold for common axles.
// True circles throughout, as a tire maker's figures are; the calculator's own speeds use 3.124 (roadspeed.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/gearreport.h"
#include "calc/gearsettings.h"
#include "calc/tiresize.h"

struct TireFigures
{
    double inches = 0; // outside diameter
    double millimetres = 0;
    std::optional<double> sidewallMm; // nothing for a bare diameter
    double circumferenceMm = 0;
    double revsPerMile = 0;
    double revsPerKm = 0;
};

TireFigures FiguresOf(const TireSize& size);
TireFigures FiguresOfDiameter(double inches);
// A tire as a user names it: a size in any notation, or its outside diameter in inches (above 0, at most 100, as
// the calculator takes it). Nothing for anything else.
std::optional<TireFigures> ParseTire(std::string_view text);

// Within it a speedometer and the gearing stay close enough that most makers and inspectors accept the swap.
inline constexpr double kTireGuidelinePercent = 3.0;

// The speeds a speedometer shows in the comparison: town to motorway speeds in MPH, or in km/h for metric users.
inline constexpr std::array<double, 5> kIndicatedMph{30, 50, 60, 70, 80};
inline constexpr std::array<double, 5> kIndicatedKmh{50, 80, 100, 120, 130};

inline const std::array<double, 5>& IndicatedSpeeds(Units units)
{
    return units == Units::Metric ? kIndicatedKmh : kIndicatedMph;
}

struct TireComparison
{
    TireFigures first;                    // the tire the speedometer is set for
    TireFigures second;                   // the tire fitted
    double diameterDifferencePercent = 0; // (second - first) / first
    bool bWithinGuideline = true;

    // The true speed when a speedometer set for the first tire shows this on the second, in the same unit.
    [[nodiscard]] double TrueSpeed(double shown) const { return shown * second.inches / first.inches; }
};

TireComparison CompareTires(const TireFigures& first, const TireFigures& second);

// "Diameter +0.4%, within the usual ±3%." or "Diameter +6.1%, beyond the usual ±3%: the speedometer and the gearing
// change noticeably."
std::string DescribeTireDifference(const TireComparison& comparison);

// The rear-end ratio that gives the tire now the overall gearing setup B had on its tire: rear end B x tire now
// / tire B. Nothing when a value it needs is 0.
std::optional<double> ComputeRestoringRearEnd(const GearSettings& now, const GearSettings& setupB);

// A ring-and-pinion ratio sold for a common axle.
struct AxleRatio
{
    std::string strAxle; // "Ford 8.8 in"
    double ratio = 0;
};

// The ratios sold for one axle, and where they were checked.
struct AxleRatioList
{
    std::string strAxle;
    std::vector<double> ratios;
    std::string strSource;
};

// Every ratio of the lists, each with its axle, in the lists' order.
std::vector<AxleRatio> SoldRatios(const std::vector<AxleRatioList>& lists);

// A ratio near the one that restores B's gearing, with what it would give.
struct RearEndChoice
{
    double ratio = 0;
    std::vector<std::string> axles; // every axle it is sold for, in the list's order
    Figure speedometerAt60;         // what a speedometer set for B reads at a true 60 MPH
    Figure rpmAtCruise;             // in the top forward gear, when a cruise speed is set
};

// Up to nEach of the distinct ratios below the target and as many above, nearest first on each side, then
// ordered by ratio.
std::vector<RearEndChoice> NearestRearEnds(const GearSettings& now, const GearSettings& setupB,
                                           std::optional<CruiseSpeed> cruise, const std::vector<AxleRatio>& sold,
                                           std::size_t nEach = 2);

// What a tire swap from setup B to the record does: B's tire against the tire now, the rear end that restores B's
// gearing and the nearest ratios sold.
struct TireSwap
{
    TireComparison comparison;
    std::optional<double> restoringRearEnd;
    std::vector<RearEndChoice> choices;
};

// Nothing when either record lacks a tire.
std::optional<TireSwap> ComputeTireSwap(const GearSettings& now, const GearSettings& setupB,
                                        std::optional<CruiseSpeed> cruise, const std::vector<AxleRatio>& sold);

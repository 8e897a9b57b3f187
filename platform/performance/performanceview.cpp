#include "platform/performance/performanceview.h"

#include <algorithm>
#include <cmath>

#include "calc/shiftchart.h"
#include "numtext/numtext.h"

namespace {

constexpr int kMaxTicks = 8;
constexpr std::string_view kNotApplicable = "N/A";

double Speed(double kmh, SpeedUnit unit)
{
    return unit == SpeedUnit::MilesPerHour ? kmh / kKilometresPerMile : kmh;
}

double Force(double newtons, ForceUnit unit)
{
    return unit == ForceUnit::PoundsForce ? newtons / kNewtonsPerPoundForce : newtons;
}

std::string SpeedText(double kmh, PerformanceUnits units)
{
    return CrtFormat("%.1f", {Speed(kmh, units.speed)});
}

std::string ForceText(double newtons, PerformanceUnits units)
{
    return CrtFormat("%.0f", {Force(newtons, units.force)});
}

std::string RpmText(double rpm)
{
    return CrtFormat("%.0f", {rpm});
}

// Ticks from 0 to a round number at or past the highest value; the axis ends on the last of them.
std::vector<PlotTick> AxisTicks(double highest)
{
    const double step = NiceStep(std::max(highest, 1.0), kMaxTicks);
    const double end = std::ceil(std::max(highest, 1.0) / step) * step;
    std::vector<PlotTick> ticks;
    for (const double value : NiceTicks(0, end, kMaxTicks))
        ticks.push_back({value, CrtFormat("%g", {value})});
    return ticks;
}

std::string Describe(const PerformanceAnalysis& analysis, PerformanceUnits units)
{
    const std::string strSpeedUnit(SpeedUnitName(units.speed));
    std::string text = CrtFormat("Wheel force against road speed in %d gears, with the road load.",
                                 {static_cast<int>(analysis.gears.size())});
    for (const GearPerformance& gear : analysis.gears) {
        if (!gear.upshift)
            continue;
        text += " " + GearOrdinal(gear.nGear) + " to " + GearOrdinal(gear.nGear + 1) + " at " +
                SpeedText(gear.upshift->speedKmh, units) + " " + strSpeedUnit + ", " + RpmText(gear.upshift->rpm) +
                " RPM" + (gear.upshift->bAtRedline ? " (the redline)." : ".");
    }
    return text + " " + DescribeTopSpeed(analysis, units);
}

} // namespace

std::string_view ForceUnitName(ForceUnit unit)
{
    return unit == ForceUnit::PoundsForce ? "lbf" : "N";
}

std::string_view SpeedUnitName(SpeedUnit unit)
{
    return unit == SpeedUnit::MilesPerHour ? "MPH" : "km/h";
}

std::string NumberText(double value)
{
    for (int nDecimals = 0; nDecimals <= 15; ++nDecimals) {
        std::string text = CrtFormat("%.*f", {nDecimals, value});
        if (CrtStrtod(text).value == value)
            return text;
    }
    return CrtFormat("%.17g", {value});
}

PlotData MakeForceChart(const CPerformanceModel& model, const PerformanceAnalysis& analysis, PerformanceUnits units)
{
    PlotData plot;
    plot.title = "Wheel force chart";
    double fastestKmh = analysis.topSpeed ? analysis.topSpeed->kmh : 0;
    double strongestN = 0;
    for (int nGear = 1; nGear <= model.GearCount(); ++nGear) {
        PlotPolyline curve{{}, PlotPen::Series, std::to_string(nGear), nGear - 1};
        for (const ForcePoint& point : model.ForceCurve(nGear)) {
            curve.points.emplace_back(Speed(point.kmh, units.speed), Force(point.newtons, units.force));
            fastestKmh = std::max(fastestKmh, point.kmh);
            strongestN = std::max(strongestN, point.newtons);
        }
        plot.lines.push_back(std::move(curve));
        plot.key.push_back({GearOrdinal(nGear), PlotPen::Series, nGear - 1});
    }
    plot.bottomTicks = AxisTicks(Speed(fastestKmh, units.speed));
    plot.leftTicks = AxisTicks(Force(strongestN, units.force));
    plot.xMax = plot.bottomTicks.back().value;
    plot.yMax = plot.leftTicks.back().value;
    plot.bottomUnit = SpeedUnitName(units.speed);
    plot.leftUnit = ForceUnitName(units.force);

    // To the end of the speed axis, in km/h whatever the axis shows.
    const double axisEndKmh = units.speed == SpeedUnit::MilesPerHour ? plot.xMax * kKilometresPerMile : plot.xMax;
    PlotPolyline roadLoad{{}, PlotPen::Load, {}};
    for (const ForcePoint& point : model.RoadLoadCurve(axisEndKmh))
        roadLoad.points.emplace_back(Speed(point.kmh, units.speed), Force(point.newtons, units.force));
    plot.lines.push_back(std::move(roadLoad));
    plot.key.push_back({"Road load", PlotPen::Load});

    for (const GearPerformance& gear : analysis.gears) {
        if (gear.upshift)
            plot.markers.push_back({Speed(gear.upshift->speedKmh, units.speed),
                                    Force(gear.upshift->wheelForceBeforeN, units.force),
                                    gear.nGear - 1,
                                    {}});
    }
    if (const std::optional<VehicleTopSpeed>& top = analysis.topSpeed) {
        plot.markers.push_back({Speed(top->kmh, units.speed), Force(model.RoadLoadAt(top->kmh), units.force), -1,
                                SpeedText(top->kmh, units) + " " + std::string(SpeedUnitName(units.speed))});
    }
    plot.description = Describe(analysis, units);
    return plot;
}

std::vector<std::string> PerformanceTableHeaders(PerformanceUnits units)
{
    const std::string strSpeed = " (" + std::string(SpeedUnitName(units.speed)) + ")";
    const std::string strForce = " (" + std::string(ForceUnitName(units.force)) + ")";
    return {"Ratio",
            "Final drive",
            "Overall ratio",
            "At redline" + strSpeed,
            "Upshift (RPM)",
            "Upshift at" + strSpeed,
            "RPM after",
            "Force before" + strForce,
            "Force after" + strForce,
            "Top speed" + strSpeed,
            "Top speed limit"};
}

std::vector<std::vector<std::string>> PerformanceTableRows(const PerformanceAnalysis& analysis, PerformanceUnits units)
{
    std::vector<std::vector<std::string>> rows;
    for (const GearPerformance& gear : analysis.gears) {
        std::vector<std::string> row{NumberText(gear.ratio), NumberText(gear.finalDrive),
                                     CrtFormat("%.3f", {gear.overallRatio}), SpeedText(gear.speedAtRedlineKmh, units)};
        if (const std::optional<Upshift>& upshift = gear.upshift) {
            row.push_back(RpmText(upshift->rpm) + (upshift->bAtRedline ? " (redline)" : ""));
            row.push_back(SpeedText(upshift->speedKmh, units));
            row.push_back(RpmText(upshift->rpmAfter));
            row.push_back(ForceText(upshift->wheelForceBeforeN, units));
            row.push_back(upshift->wheelForceAfterN ? ForceText(*upshift->wheelForceAfterN, units)
                                                    : std::string(kNotApplicable));
        } else {
            row.insert(row.end(), 5, std::string(kNotApplicable));
        }
        row.push_back(gear.topSpeedKmh ? SpeedText(*gear.topSpeedKmh, units) : "none");
        row.push_back(gear.topSpeedKmh ? std::string(TopSpeedLimitName(gear.topSpeedLimit)) : "");
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string DescribeTopSpeed(const PerformanceAnalysis& analysis, PerformanceUnits units)
{
    const std::optional<VehicleTopSpeed>& top = analysis.topSpeed;
    if (!top)
        return "Top speed: none; no gear overcomes the road load.";
    return "Top speed: " + SpeedText(top->kmh, units) + " " + std::string(SpeedUnitName(units.speed)) + " in " +
           GearOrdinal(top->nGear) + ", limited by " +
           (top->limit == TopSpeedLimit::Redline ? "the redline" : "the road load") + ".";
}

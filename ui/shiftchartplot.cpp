#include "ui/shiftchartplot.h"

#include <string>

namespace {

std::vector<PlotTick> ToPlotTicks(const std::vector<ShiftChartTick>& ticks)
{
    std::vector<PlotTick> plotTicks;
    for (const ShiftChartTick& tick : ticks)
        plotTicks.push_back({tick.value, tick.text});
    return plotTicks;
}

} // namespace

PlotData MakeShiftChartPlot(const ShiftChart& chart)
{
    PlotData plot;
    if (chart.IsEmpty()) {
        plot.emptyText = "No speeds to chart";
        return plot;
    }
    plot.xMin = chart.mphMin;
    plot.xMax = chart.mphMax;
    plot.yMin = chart.rpmMin;
    plot.yMax = chart.rpmMax;
    plot.bottomTicks = ToPlotTicks(chart.mphTicks);
    plot.topTicks = ToPlotTicks(chart.kmhTicks);
    plot.leftTicks = ToPlotTicks(chart.rpmTicks);
    plot.bottomUnit = "MPH";
    plot.topUnit = "km/h";
    plot.leftUnit = "RPM";

    const double rpm = chart.rpm;
    for (const ShiftChartGear& gear : chart.gears)
        plot.lines.push_back({{{0.0, 0.0}, {gear.mph, rpm}}, PlotPen::Guide, std::to_string(gear.nGear)});

    // Up through each gear to the set RPM, down to the next gear at that speed, and on.
    PlotPolyline sawtooth{{{0.0, 0.0}}, PlotPen::Emphasis, {}};
    for (const ShiftChartTooth& tooth : chart.teeth) {
        sawtooth.points.emplace_back(tooth.mph, tooth.rpmTop);
        sawtooth.points.emplace_back(tooth.mph, tooth.rpmBottom);
    }
    sawtooth.points.emplace_back(chart.gears.back().mph, rpm);
    plot.lines.push_back(std::move(sawtooth));
    return plot;
}

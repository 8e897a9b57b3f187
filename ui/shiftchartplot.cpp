#include "ui/shiftchartplot.h"

#include <string>

#include "calc/gearreport.h"
#include "calc/roadspeed.h"
#include "numtext/numtext.h"

namespace {

std::vector<PlotTick> ToPlotTicks(const std::vector<ShiftChartTick>& ticks)
{
    std::vector<PlotTick> plotTicks;
    for (const ShiftChartTick& tick : ticks)
        plotTicks.push_back({tick.value, tick.text});
    return plotTicks;
}

// Up through each gear to the set RPM, down to the next gear at that speed, and on.
PlotPolyline Sawtooth(const ShiftChart& chart, PlotPen pen)
{
    PlotPolyline sawtooth{{{0.0, 0.0}}, pen, {}};
    for (const ShiftChartTooth& tooth : chart.teeth) {
        sawtooth.points.emplace_back(tooth.mph, tooth.rpmTop);
        sawtooth.points.emplace_back(tooth.mph, tooth.rpmBottom);
    }
    sawtooth.points.emplace_back(chart.gears.back().mph, chart.rpm);
    return sawtooth;
}

std::string SpeedWords(double mph)
{
    std::string text = FormatSpeedText(mph);
    return text.substr(text.find_first_not_of(' ')) + " MPH";
}

// The chart in words, for screen readers: the gears, the shift RPM, each gear's top speed and where the next
// gear lands.
std::string Describe(const ShiftChart& chart, bool bGhost)
{
    std::string text = "Shift chart of ";
    for (std::size_t i = 0; i < chart.gears.size(); ++i) {
        if (i > 0)
            text += i + 1 == chart.gears.size() ? " and " : ", ";
        text += GearName(chart.gears[i].nGear);
    }
    text += chart.gears.size() == 1 ? " gear" : " gears";
    text += " at " + CrtFormat("%.0f", {chart.rpm}) + " RPM.";
    for (std::size_t i = 0; i < chart.gears.size(); ++i) {
        text += " " + std::string(GearName(chart.gears[i].nGear)) + " reaches " + SpeedWords(chart.gears[i].mph);
        if (i < chart.teeth.size()) {
            text += ", then " + std::string(GearName(chart.teeth[i].nToGear)) + " lands at " +
                    CrtFormat("%.0f", {chart.teeth[i].rpmBottom}) + " RPM";
        }
        text += ".";
    }
    if (bGhost)
        text += " Setup B is drawn dashed.";
    return text;
}

} // namespace

PlotData MakeShiftChartPlot(const ShiftChart& chart, const ShiftChart* pSetupB)
{
    PlotData plot;
    if (chart.IsEmpty()) {
        plot.emptyText = "No speeds to chart";
        plot.description = plot.emptyText;
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

    for (const ShiftChartGear& gear : chart.gears)
        plot.lines.push_back({{{0.0, 0.0}, {gear.mph, chart.rpm}}, PlotPen::Guide, std::to_string(gear.nGear)});
    const bool bGhost = pSetupB != nullptr && !pSetupB->IsEmpty();
    // Under the current sawtooth, which it may share stretches with.
    if (bGhost)
        plot.lines.push_back(Sawtooth(*pSetupB, PlotPen::Ghost));
    plot.lines.push_back(Sawtooth(chart, PlotPen::Emphasis));
    plot.description = Describe(chart, bGhost);
    return plot;
}

#include "ui/shiftchartplot.h"

#include <optional>
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

// Each gear's top speed, as "1st reaches 12.4 MPH", the next one's landing RPM after it when bLandings.
std::string DescribeGears(const ShiftChart& chart, bool bLandings)
{
    std::string text;
    for (std::size_t i = 0; i < chart.gears.size(); ++i) {
        text += " " + std::string(GearName(chart.gears[i].nGear)) + " reaches " + SpeedWords(chart.gears[i].mph);
        if (bLandings && i < chart.teeth.size()) {
            text += ", then " + std::string(GearName(chart.teeth[i].nToGear)) + " lands at " +
                    CrtFormat("%.0f", {chart.teeth[i].rpmBottom}) + " RPM";
        }
        text += ".";
    }
    return text;
}

// The chart in words, for screen readers: the gears, the shift RPM, each gear's top speed and where the next
// gear lands; setup B's top speeds; what each gear turns at the cruise speed.
std::string Describe(const ShiftChart& chart, const ShiftChart* pSetupB, std::optional<CruiseSpeed> cruise)
{
    std::string text = chart.gears.empty() ? "Shift chart: no speeds now." : "Shift chart of ";
    for (std::size_t i = 0; i < chart.gears.size(); ++i) {
        if (i > 0)
            text += i + 1 == chart.gears.size() ? " and " : ", ";
        text += GearName(chart.gears[i].nGear);
    }
    if (!chart.gears.empty()) {
        text += chart.gears.size() == 1 ? " gear" : " gears";
        text += " at " + CrtFormat("%.0f", {chart.rpm}) + " RPM." + DescribeGears(chart, true);
    }
    if (pSetupB != nullptr && !pSetupB->IsEmpty())
        text += " Setup B is drawn dashed, at " + CrtFormat("%.0f", {pSetupB->rpm}) +
                " RPM:" + DescribeGears(*pSetupB, false);
    if (cruise && !chart.gears.empty()) {
        text += " At " + cruise->Text() + ":";
        for (const ShiftChartGear& gear : chart.gears)
            text += " " + std::string(GearName(gear.nGear)) + " " +
                    CrtFormat("%.0f", {chart.rpm * cruise->Mph() / gear.mph}) + " RPM" +
                    (&gear == &chart.gears.back() ? "." : ",");
    }
    return text;
}

} // namespace

PlotData MakeShiftChartPlot(const ShiftChart& chart, const ShiftChart* pSetupB, std::optional<CruiseSpeed> cruise)
{
    PlotData plot;
    plot.title = "Shift chart";
    const bool bGhost = pSetupB != nullptr && !pSetupB->IsEmpty();
    if (chart.IsEmpty() && !bGhost) {
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
    // Under the current sawtooth, which it may share stretches with.
    if (bGhost) {
        plot.lines.push_back(Sawtooth(*pSetupB, PlotPen::Ghost));
        plot.key = {{"Now", PlotPen::Emphasis}, {"Setup B", PlotPen::Ghost}};
    }
    if (!chart.IsEmpty())
        plot.lines.push_back(Sawtooth(chart, PlotPen::Emphasis));
    plot.description = Describe(chart, pSetupB, cruise);
    return plot;
}

#pragma once

// A plot control's picture, given as data: axis ranges, labelled ticks on three sides, and polylines in the
// axes' own units. The control draws the frame, the grid, the ticks and the lines, clipping whatever leaves
// the ranges, so any values draw safely. It takes no focus and reports nothing.

#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"

struct PlotTick
{
    double value;
    std::string text;
};

enum class PlotPen
{
    Guide,    // thin
    Emphasis, // bold, in the highlight colour
    Ghost,    // thin and dashed: a second set of lines for comparison, told apart without colour
    Series,   // medium, in the colour of its series (nSeries): one of several curves of the same kind
    Load,     // bold and dash-dotted, in the text colour: what the curves are measured against
};

struct PlotPolyline
{
    std::vector<std::pair<double, double>> points;
    PlotPen pen = PlotPen::Guide;
    std::string label; // drawn by the last point, when that point is inside the ranges
    int nSeries = 0;   // PlotPen::Series: which colour, from 0
};

// A point to mark on the chart: a dot in its series' colour (or the text colour for a series below 0), and a
// label beside it.
struct PlotMarker
{
    double x = 0, y = 0;
    int nSeries = -1;
    std::string label;
    bool operator==(const PlotMarker&) const = default;
};

// One line of the chart's key: a stroke of the pen and what it stands for.
struct PlotKeyEntry
{
    std::string text;
    PlotPen pen = PlotPen::Guide;
    int nSeries = 0;
    bool operator==(const PlotKeyEntry&) const = default;
};

struct PlotData
{
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    std::vector<PlotTick> bottomTicks, topTicks, leftTicks;
    std::string bottomUnit, topUnit, leftUnit;
    std::vector<PlotPolyline> lines;
    std::vector<PlotMarker> markers; // over the lines
    std::vector<PlotKeyEntry> key;   // in the corner of the frame that the lines cross least
    std::string emptyText;           // when set, the frame shows only this text, centred
    std::string title;               // an image file's title: "Shift chart"
    std::string description;         // the picture in words, for screen readers
};

namespace platform {

void SetPlotData(HWND hPlot, PlotData data);

} // namespace platform

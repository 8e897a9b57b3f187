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
};

struct PlotPolyline
{
    std::vector<std::pair<double, double>> points;
    PlotPen pen = PlotPen::Guide;
    std::string label; // drawn by the last point, when that point is inside the ranges
};

struct PlotData
{
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    std::vector<PlotTick> bottomTicks, topTicks, leftTicks;
    std::string bottomUnit, topUnit, leftUnit;
    std::vector<PlotPolyline> lines;
    std::string emptyText;   // when set, the frame shows only this text, centred
    std::string description; // the picture in words, for screen readers
};

namespace platform {

void SetPlotData(HWND hPlot, PlotData data);

} // namespace platform

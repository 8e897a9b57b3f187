#pragma once

#include <optional>

#include "calc/shiftchart.h"
#include "platform/plot.h"

// The calculator's shift chart as a picture: each gear's line, the upshift sawtooth in bold over them, MPH
// along the bottom, km/h along the top, RPM up the side; with a second setup (B), its sawtooth dashed on the
// same axes (chart's, computed with B) and a key that says which is which. The picture's description says the
// same in words, and what each gear turns at the cruise speed when one is set.
PlotData MakeShiftChartPlot(const ShiftChart& chart, const ShiftChart* pSetupB = nullptr,
                            std::optional<double> cruiseMph = std::nullopt);

#pragma once

// The drawn forms of the settings report: the printed page (ComposeReportPage, platform/document.h) and the shift
// chart composed from a GearReport. The textual forms come
// from report/ alone; these need the window system's session (a headless one will do).

#include <string>
#include <string_view>
#include <vector>

#include "calc/gearreport.h"
#include "platform/document.h"
#include "report/reportdocument.h"
#include "report/settingsreport.h"

// The shift chart of the report's record, with setup B's sawtooth dashed when B is held.
PlotData ComposeReportChart(const GearReport& report);

// The settings report in any format, as the bytes of its file: the chart alone for SVG and PNG, at imageSize.
// Empty when drawing failed.
std::string RenderSettingsReport(ReportFormat format, const GearReport& report, ImageSize imageSize = {},
                                 const std::vector<AxleRatioList>& axles = {});

// The axle ratios installed with the program, read once; none when the file is missing or broken.
const std::vector<AxleRatioList>& ShippedAxles();

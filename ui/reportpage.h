#pragma once

// The drawn forms of a report: the printed page composed from a ReportDocument (its sections, the date, and the
// chart where the document places it) and the shift chart composed from a GearReport. The textual forms come
// from report/ alone; these need the window system's session (a headless one will do).

#include <string>
#include <string_view>

#include "calc/gearreport.h"
#include "platform/document.h"
#include "report/reportdocument.h"
#include "report/settingsreport.h"

// The title, the date, then each section: its heading, its lines, its table, or the chart.
PageDocument ComposeReportPage(const ReportDocument& document, const PlotData& chart, std::string_view strDate);

// The shift chart of the report's record, with setup B's sawtooth dashed when B is held.
PlotData ComposeReportChart(const GearReport& report);

// Today's date in the local time zone, as 2024-05-31.
std::string TodayText();

// The settings report in any format, as the bytes of its file: the chart alone for SVG and PNG, at imageSize.
// Empty when drawing failed.
std::string RenderSettingsReport(ReportFormat format, const GearReport& report, ImageSize imageSize = {});

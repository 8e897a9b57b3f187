#pragma once

// The report as a printed page, a chart and the bytes of every export format, all composed from one GearReport
// and the reportformats' tables, so that the page, the files and the command line show the same figures.

#include <string>
#include <string_view>

#include "calc/gearreport.h"
#include "platform/document.h"
#include "settingsfile/reportformats.h"

// The title, the date, the ten values as valueTexts give them, the per-gear table, the shift drops, setup B's
// comparison when one is held, the shift chart (B dashed) and what 3.124 means.
PageDocument ComposeReportPage(const GearReport& report, const ValueTexts& valueTexts, std::string_view strDate);

// The shift chart of the report's record, with setup B's sawtooth dashed when B is held.
PlotData ComposeReportChart(const GearReport& report);

// Today's date in the local time zone, as 2024-05-31.
std::string TodayText();

// The report in a format, as the bytes of its file: the chart alone for SVG and PNG, at imageSize. Empty when
// drawing failed. The drawn formats need the window system's session (a headless one will do).
std::string RenderReport(ReportFormat format, const GearReport& report, const ValueTexts& valueTexts,
                         ImageSize imageSize = {});

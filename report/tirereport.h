#pragma once

// The tire comparison as a report: two tires side by side, their difference against the usual guideline, and what a
// speedometer set for the first shows on the second, in MPH or in km/h.

#include <string_view>

#include "calc/gearreport.h"
#include "calc/tirecompare.h"
#include "report/reportdocument.h"

inline constexpr std::string_view kTireReportTitle = "Corvane Ratiograph Tire Comparison";

// The names are the tires as the user typed them.
ReportDocument BuildTireReport(const TireComparison& comparison, std::string_view strFirst, std::string_view strSecond,
                               Units units);

// The comparison's sections, for this report and for the settings report's comparison with setup B.
ReportSection TireTableSection(const TireComparison& comparison, std::string_view strFirst, std::string_view strSecond,
                               Units units);
ReportSection SpeedometerSection(const TireComparison& comparison, std::string_view strFirst,
                                 std::string_view strSecond, Units units);

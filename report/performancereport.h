#pragma once

// The performance report of a vehicle's analysis: per gear the ratio, final drive, overall ratio, speed at the
// redline, the upshift (its RPM and road speed), the RPM after it and the wheel force before and after, the top speed
// and what limits it; then the upshifts and the vehicle's top speed in words, the place of the force chart, and the
// same figures unrounded as JSON (keys in ratiograph(1), PERFORMANCE REPORT). Also the listing of gearbox presets.

#include <string_view>

#include "calc/gearreport.h"
#include "calc/performance.h"
#include "report/reportdocument.h"
#include "settingsfile/presetsfile.h"

inline constexpr std::string_view kPerformanceReportTitle = "Corvane Ratiograph Performance";
inline constexpr std::string_view kPresetsReportTitle = "Corvane Ratiograph Gearbox Presets";

// What the true circumference means beside the calculator's 3.124.
inline constexpr std::string_view kTrueCircumferenceNote =
    "Speeds use the true circumference (pi x diameter); the calculator's own speeds use 3.124 and read 0.56% lower "
    "for the same diameter.";

// strName, the vehicle's name, follows the title when there is one. The table and the sentences read in km/h and N,
// or in MPH and lbf with Units::Us; the JSON is in km/h and N either way.
ReportDocument BuildPerformanceReport(const PerformanceAnalysis& analysis, std::string_view strName = {},
                                      Units units = Units::Metric);

// A table of the presets (CSV as well) and, as JSON, an array of objects with the vehicle file's gearbox keys.
ReportDocument BuildPresetsReport(const PresetList& presets);

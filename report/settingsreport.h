#pragma once

// The settings report: a record's ten values, the tire as the workbench read it, the per-gear figures of its
// GearReport (km/h, MPH per 1000 RPM, the RPM at a cruise speed in the unit typed, the difference to a setup B),
// the shift drops, setup B's comparison, the shift chart's place and what 3.124 means. The printed page, every
// export and the command line show this one document, each number in its kind's one format.

#include <string>

#include "calc/gearreport.h"
#include "calc/tirecompare.h"
#include "report/reportdocument.h"

inline constexpr std::string_view kReportTitle = "Corvane Ratiograph Report";

// When setup B is held on another tire than the record's: B's tire against the tire now and the rear ends that
// restore B's gearing, the nearest of those sold for the axles listed.
ReportDocument BuildSettingsReport(const GearReport& report, const std::vector<AxleRatioList>& axles = {});

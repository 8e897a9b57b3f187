#pragma once

// The settings report: a record's ten values, the per-gear figures of its GearReport (km/h, MPH per 1000 RPM, the
// RPM at a cruise speed, the difference to a setup B), the shift drops, setup B's comparison, the shift chart's
// place and what 3.124 means. The workbench panel, the printed page, every export and the command line show
// this one document, so each of them shows the same texts.

#include <array>
#include <string>

#include "calc/gearreport.h"
#include "report/reportdocument.h"

inline constexpr std::string_view kReportTitle = "Corvane Ratiograph Report";

// The ten values' texts, indexed by GearValue.
using ValueTexts = std::array<std::string, 10>;

// "%g" of each value, the RPM "%.0f": the texts of a record that is not shown in fields.
ValueTexts FormatValueTexts(const GearSettings& settings);

// valueTexts are the values as the report shows them: a printed page shows them as the fields hold them.
ReportDocument BuildSettingsReport(const GearReport& report, const ValueTexts& valueTexts);
// With FormatValueTexts of the report's record.
ReportDocument BuildSettingsReport(const GearReport& report);

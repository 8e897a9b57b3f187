#pragma once

// Print and Export of the calculator: what its Ctrl+P and Ctrl+E and its Print and Export buttons call. Both
// leave the settings file alone; every box they show is owned by pOwner (the calculator, or any window: nullptr
// for none).

#include "calc/gearreport.h"
#include "report/settingsreport.h"

class CWnd;

// The print dialog, then the report's page on the printer chosen (or into the PDF file chosen). False when the user
// cancelled or printing failed; a failure has been told in a box "Error printing." captioned "ERROR".
bool PrintGearReport(CWnd* pOwner, const GearReport& report);

// One save dialog offering PDF (the printed page), CSV (the per-gear table), PNG and SVG (the shift chart, at a
// size the user types in CChartSizeDlg), JSON and text; the file's extension decides the format. The file is
// replaced whole or not at all; a failure has been told as Save tells it: "Error saving file." captioned
// "ERROR". False when the user cancelled or saving failed.
bool ExportGearReport(CWnd* pOwner, const GearReport& report);

// The types the export's save dialog offers, in its order; the first is chosen at the start.
inline constexpr ReportFormat kExportFormats[] = {ReportFormat::Pdf, ReportFormat::Csv,  ReportFormat::Png,
                                                  ReportFormat::Svg, ReportFormat::Json, ReportFormat::Text};

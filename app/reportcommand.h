#pragma once

// The command line's report modes: --report writes a settings file's report on standard output, --export into a
// file; --performance a vehicle file's performance report either way; --presets lists the gearbox presets. No window
// opens. Text, CSV and JSON come from report/ alone; the drawn formats (PDF, SVG, PNG) from the function the program
// passes in, which starts the window system without a screen.

#include <functional>
#include <string>

#include "app/commandline.h"
#include "calc/gearreport.h"
#include "calc/performance.h"
#include "report/reportdocument.h"
#include "report/reportformat.h"
#include "report/settingsreport.h"

// The bytes of a drawn format's file; empty when drawing failed.
using DrawReportFunction =
    std::function<std::string(ReportFormat, const GearReport&, ImageSize, const std::vector<AxleRatioList>&)>;

// Runs a Report or Export command line and returns the exit status: 0 done; 1 when a file cannot be read, is no
// settings file or holds a value the calculator would refuse (each told on standard error), or when the output
// cannot be written.
int RunReportCommand(const CommandLine& commandLine, const DrawReportFunction& drawReport);

// Runs a Tires command line: the comparison on standard output; 0, or 1 when it could not be written.
int RunTiresCommand(const CommandLine& commandLine);

// The bytes of a performance report's drawn format (the page with the force chart, or the chart alone) in the
// report's units; empty when drawing failed.
using DrawPerformanceFunction = std::function<std::string(ReportFormat, const ReportDocument&, const CPerformanceModel&,
                                                          const PerformanceAnalysis&, Units, ImageSize)>;

// Runs a Performance command line as RunReportCommand runs a report: 1 when the vehicle file cannot be read or is no
// valid vehicle file (told on standard error) or the output cannot be written.
int RunPerformanceCommand(const CommandLine& commandLine, const DrawPerformanceFunction& drawReport);

// Runs a Presets command line: the presets the Performance window offers on standard output, each file left out told
// on standard error; 0, or 1 when a file was left out or the list could not be written.
int RunPresetsCommand(const CommandLine& commandLine);

#pragma once

// The command line's report modes: --report writes a settings file's report on standard output, --export into a
// file. No window opens. Text, CSV and JSON come from report/ alone; the drawn formats (PDF, SVG, PNG) from the
// function the program passes in, which starts the window system without a screen.

#include <functional>
#include <string>

#include "app/commandline.h"
#include "calc/gearreport.h"
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

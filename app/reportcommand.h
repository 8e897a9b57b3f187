#pragma once

// The command line's report modes: --report writes a settings file's report on standard output, --export into a
// file. No window opens; the drawn formats start the window system without a screen, so no display is needed.

#include "app/commandline.h"

// Runs a Report or Export command line and returns the exit status: 0 done; 1 when a file cannot be read, is no
// settings file or holds a value the calculator would refuse (each told on standard error), or when the output
// cannot be written.
int RunReportCommand(const CommandLine& commandLine, int& argc, char** argv);

#pragma once

// The program from its command line to its exit status: --help and --version, the report modes without a
// window, or the start-up notice and the calculator. main() is only this; the start-up benchmark runs it too.
int RunProgram(int argc, char** argv);

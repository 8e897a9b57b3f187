// The calculator's start-up, exactly as the program runs it, ended once the start-up notice is painted.

#include "app/program.h"
#include "bench/firstwindow.h"

int main(int argc, char** argv)
{
    ExitOnFirstWindow();
    return RunProgram(argc, argv);
}

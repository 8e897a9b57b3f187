#pragma once

// The ten lines of a settings file judged as the calculator's fields judge them, for what reads a file without
// writing it into the fields: setup B in the workbench and the command line's report.

#include <array>
#include <string>
#include <vector>

#include "calc/gearsettings.h"

struct SettingsProblem
{
    int nLine; // counted from 1
    std::string strPrompt;
};

struct SettingsValues
{
    GearSettings settings; // a value out of its range is held as a field holds it; a line that is no number is 0
    std::vector<SettingsProblem> problems; // in line order, with the prompts the fields would show
};

SettingsValues JudgeSettingsLines(const std::array<std::string, 10>& lines);

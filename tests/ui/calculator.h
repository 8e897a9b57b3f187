#pragma once

// Runs the calculator as a user meets it, with helpers to read its fields and displays.

#include <array>
#include <functional>
#include <string>

#include "tests/support/uitest.h"
#include "ui/gearcalcdlg.h"
#include "ui/resource.h"
#include "ui/templates.h"

class CalculatorTest : public UiTest
{
protected:
    void SetUp() override { RegisterProgramResources(); }

    // Runs the calculator as the main window; the driver gets it once it is shown.
    int RunCalculator(const std::function<void(CGearCalcDlg& dialog, HWND hDlg)>& driver);

    static std::array<std::string, 7> Speeds(HWND hDlg);
    static std::string Text(HWND hDlg, int nId) { return platform::GetWindowText(platform::GetDlgItem(hDlg, nId)); }
    // The validation prompts (captioned with the program's name) since the last call, texts only; forgets
    // every box recorded so far.
    std::vector<std::string> Prompts();
};

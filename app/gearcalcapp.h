#pragma once

// The application: the start-up notice, then the calculator as the main window; the program ends when the
// calculator closes. A settings file named on the command line is loaded into the calculator as Load would, a vehicle
// file opened in the Performance window beside it; nothing else is read at start or kept between runs.

#include <optional>
#include <string>

#include "ui/exchange/winapp.h"

class CGearCalcApp : public CWinApp
{
public:
    bool InitInstance() override;

    std::optional<std::string> m_settingsFile;
};

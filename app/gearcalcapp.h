#pragma once

// The application: the start-up notice, then the calculator as the main window; the program ends when the
// calculator closes. Nothing is read at start or kept between runs.

#include "ui/exchange/winapp.h"

class CGearCalcApp : public CWinApp
{
public:
    bool InitInstance() override;
};

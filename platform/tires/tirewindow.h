#pragma once

// The Tires window: what a tire swap does, beside the calculator. Two tires side by side (the one the speedometer
// is set for and the one fitted, sizes in any notation or diameters), their difference against the usual ±3%, the
// true speeds behind what the speedometer shows, and, when setup B is held on another tire, the rear ends that
// restore B's gearing with the nearest ratios sold. Everything it shows comes from the settings report and the
// tire comparison (report/); like the Performance window it is plain Qt Widgets in platform/, and this header shows
// no Qt type. The calculator gives it every new record as it changes; the window gives a chosen rear end back.

#include <functional>
#include <vector>

#include "calc/gearreport.h"
#include "calc/tirecompare.h"
#include "platform/window.h"

// Writes a rear-end ratio into the calculator's field, as if the user had typed it.
using UseRearEnd = std::function<void(double ratio)>;

// Opens the window beside its owner, or raises the one the owner has open. It stays open while the user works and
// closes with its owner.
void ShowTireWindow(HWND hOwner, const GearReport& report, const std::vector<AxleRatioList>& axles,
                    UseRearEnd useRearEnd);
// The calculator's figures as they stand now, for the window its owner has open; nothing when none is.
void UpdateTireWindow(HWND hOwner, const GearReport& report);
bool HasTireWindow(HWND hOwner);

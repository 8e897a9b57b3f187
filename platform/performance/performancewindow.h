#pragma once

// The Performance window: where to shift and how fast the car goes, from a gearbox of up to ten speeds, a tire, a
// torque curve and the road load, figured again at every edit. Unlike the calculator's dialogs it is no template but
// an ordinary window of Qt Widgets whose layouts grow with it, which is why it lives in platform/, the one layer that
// holds toolkit code; this header shows no Qt type. The window edits a Vehicle (calc/performance.h), reads and writes
// it as a vehicle file and presets (settingsfile/), and shows what CPerformanceModel computes as a chart of wheel
// force against road speed and a table per gear (performanceview.h). Its boxes and file dialogs are the platform's,
// so tests answer them through the modal seam.

#include <functional>
#include <string>

#include "calc/performance.h"
#include "platform/window.h"

// Given the window's vehicle, the same with the calculator's gears, tire and redline in it.
using VehicleFromCalculator = std::function<Vehicle(const Vehicle&)>;

// Opens the window beside its owner, filled from the calculator, or raises the one the owner has open. The window
// is not modal: it stays open while the user works in both, and closes with its owner. Without an owner it stands
// alone. With strVehicleFile, the window then opens that vehicle file as Open does.
void ShowPerformanceWindow(HWND hOwner, VehicleFromCalculator fromCalculator, const std::string& strVehicleFile = {});

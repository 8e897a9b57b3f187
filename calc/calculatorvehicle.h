#pragma once

// What the Performance window's "From calculator" takes from the calculator's record. The calculator keeps floats
// read from the texts its fields hold; each comes over as that text's number, so 2.68 stays 2.68.

#include "calc/gearsettings.h"
#include "calc/performance.h"

// The vehicle with the record's gearbox, tire and redline in it: the forward gears whose ratio is above 0, in their
// order; reverse as makers print it, negative (none for 0); the rear end as the one final drive; the tire diameter in
// inches; the engine RPM as the redline when it is above 0. The name, the torque curve and the road load stay.
Vehicle FillFromCalculator(Vehicle vehicle, const GearSettings& settings);

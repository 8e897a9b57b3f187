#pragma once

// The published sports-car data set, for the tests of every layer: the ZF 8HP ratios, final drive 3.31, a 685 mm
// tire, torque in N·m to a 6500 RPM redline; with the road load of a 1741 kg car with Cd 0.36 on 2.42 m².

#include "calc/performance.h"

inline Vehicle SportsCar()
{
    return {
        "Sports car",
        {{4.714, 3.143, 2.106, 1.667, 1.285, 1.000, 0.839, 0.667}, -3.295, {3.31}},
        {TireKind::DiameterMm, 685.0},
        {6500,
         {TorqueUnit::NewtonMetres, {{1000, 306}, {2020, 385}, {2990, 439}, {3500, 450}, {5000, 450}, {6500, 367}}}},
        {1741, MassUnit::Kilograms, 0.36, 2.42}};
}

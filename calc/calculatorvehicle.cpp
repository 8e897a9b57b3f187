#include "calc/calculatorvehicle.h"

#include "numtext/numtext.h"

namespace {

// The fewest decimals that read back as the same float: the number the user typed.
double TypedNumber(float fValue)
{
    for (int nDecimals = 0; nDecimals <= 9; ++nDecimals) {
        const double value = CrtStrtod(CrtFormat("%.*f", {nDecimals, double{fValue}})).value;
        if (NarrowToFloat(value) == fValue)
            return value;
    }
    return fValue;
}

} // namespace

Vehicle FillFromCalculator(Vehicle vehicle, const GearSettings& settings)
{
    Gearbox& gearbox = vehicle.gearbox;
    gearbox.forward.clear();
    for (const GearValue gear : kForwardGears) {
        if (settings[gear] > 0)
            gearbox.forward.push_back(TypedNumber(settings[gear]));
    }
    gearbox.reverse.reset();
    if (settings.m_fReverse > 0)
        gearbox.reverse = -TypedNumber(settings.m_fReverse);
    gearbox.finalDrives = {TypedNumber(settings.m_fRearEnd)};
    vehicle.tire = {TireKind::DiameterIn, TypedNumber(settings.m_fTireOD), ""};
    if (settings.m_fRpm > 0)
        vehicle.engine.redlineRpm = TypedNumber(settings.m_fRpm);
    return vehicle;
}

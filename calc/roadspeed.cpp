#include "calc/roadspeed.h"

#include <cmath>

#include "numtext/numtext.h"

namespace {

// Each constant as version 2.0's single-precision value; the last decimal of a speed depends on it, as on
// kCircumferenceFactor.
constexpr float kFeetPerInch = 1.0F / 12.0F;
constexpr float kMinutesPerHour = 60.0F;
constexpr float kMilesPerFoot = 1.0F / 5280.0F;
constexpr float kReverseSign = -1.0F;

} // namespace

std::optional<double> ComputeGearSpeed(const GearSettings& settings, float fRatio, bool bReverse)
{
    if (fRatio == 0.0F || settings.m_fRearEnd == 0.0F || settings.m_fTireOD == 0.0F)
        return std::nullopt;
    // Double arithmetic, strictly left to right.
    const double wheelTurnsPerMinute = double{settings.m_fRpm} / double{fRatio} / double{settings.m_fRearEnd};
    const double feetPerTurn = double{settings.m_fTireOD} * double{kFeetPerInch} * double{kCircumferenceFactor};
    double speed = wheelTurnsPerMinute * feetPerTurn * double{kMinutesPerHour} * double{kMilesPerFoot};
    if (bReverse)
        speed = speed * double{kReverseSign};
    return speed;
}

std::string FormatSpeedText(std::optional<double> speed)
{
    if (!speed || !std::isfinite(*speed))
        return "N/A";
    // Adding +0.0 turns -0.0 into 0.0: reverse at rest reads " 0.0", not "-0.0".
    return CrtFormat("%4.1f", {*speed + 0.0});
}

SpeedTable BuildSpeedTable(const GearSettings& settings)
{
    SpeedTable table;
    for (std::size_t i = 0; i < kSpeedTableGears.size(); ++i) {
        const GearValue gear = kSpeedTableGears[i];
        table[i] = FormatSpeedText(ComputeGearSpeed(settings, settings[gear], gear == GearValue::Reverse));
    }
    return table;
}

#include "calc/tirediameter.h"

#include "calc/roadspeed.h"

namespace {

constexpr double kWholePerPercent = 0.01;
// Rounded, unlike the 25.4 of the tire-size reader: the diameter this gives is what the tire field and saved
// files have always received from the dialog.
constexpr float kInchesPerMillimetre = 0.03937F;
constexpr double kSidewalls = 2.0;

} // namespace

TireDiameter ComputeTireDiameter(int nWidth, int nAspect, float fRim)
{
    if (nWidth == 0 || nAspect == 0 || fRim == 0.0F)
        return {std::nullopt, "N/A"};
    const double sidewallInches = double(nAspect) * kWholePerPercent * double(nWidth) * double{kInchesPerMillimetre};
    const double diameter = sidewallInches * kSidewalls + double{fRim};
    // The same one-decimal text as a road speed, with "N/A" for a value that is not a finite number.
    return {diameter, FormatSpeedText(diameter)};
}

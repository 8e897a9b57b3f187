#pragma once

// The calculator's sample record and the speed texts its displays show for it, for tests of every layer.

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"

// Members in declaration order: RPM, first gear, rear end, tire, second to sixth gear, reverse.
inline GearSettings SampleSettings()
{
    return {1500.0F, 2.68F, 3.53F, 26.4F, 2.0F, 1.3F, 1.0F, 0.75F, 0.0F, 2.9F};
}

inline SpeedTable SampleSpeeds()
{
    return {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
}

#pragma once

// The calculator's sample record and the speed texts its displays show for it, for tests of every layer.

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"

inline GearSettings SampleSettings()
{
    return {.m_fRpm = 1500.0F,
            .m_fGear1 = 2.68F,
            .m_fRearEnd = 3.53F,
            .m_fTireOD = 26.4F,
            .m_fGear2 = 2.0F,
            .m_fGear3 = 1.3F,
            .m_fGear4 = 1.0F,
            .m_fGear5 = 0.75F,
            .m_fGear6 = 0.0F,
            .m_fReverse = 2.9F};
}

inline SpeedTable SampleSpeeds()
{
    return {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
}

#pragma once

// The calculator's sample record and the speed texts its displays show for it, for tests of every layer.

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"

inline GearSettings SampleSettings()
{
    GearSettings settings;
    settings.m_fRpm = 1500.0F;
    settings.m_fGear1 = 2.68F;
    settings.m_fGear2 = 2.0F;
    settings.m_fGear3 = 1.3F;
    settings.m_fGear4 = 1.0F;
    settings.m_fGear5 = 0.75F;
    settings.m_fGear6 = 0.0F;
    settings.m_fReverse = 2.9F;
    settings.m_fRearEnd = 3.53F;
    settings.m_fTireOD = 26.4F;
    return settings;
}

inline SpeedTable SampleSpeeds()
{
    return {"12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"};
}

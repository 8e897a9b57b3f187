#include "calc/gearsettings.h"

#include <algorithm>
#include <stdexcept>

const GearValueInfo& GetGearValueInfo(GearValue value)
{
    const auto it = std::find_if(kGearExchangeOrder.begin(), kGearExchangeOrder.end(),
                                 [value](const GearValueInfo& info) { return info.value == value; });
    if (it == kGearExchangeOrder.end())
        throw std::out_of_range("unknown gear value");
    return *it;
}

float& GearSettings::operator[](GearValue value)
{
    return this->*GetGearValueInfo(value).pMember;
}

float GearSettings::operator[](GearValue value) const
{
    return this->*GetGearValueInfo(value).pMember;
}

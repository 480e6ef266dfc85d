#include "nosl/ZVirtualDevice_RoofBarLight.h"

uint32_t ZVirtualDevice_RoofBarLight::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RoofBarLight::deviceCode() const { return 19; }

std::string ZVirtualDevice_RoofBarLight::displayName() const { return "Roof bar light"; }

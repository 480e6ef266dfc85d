#include "nosl/ZVirtualDevice_PowerSupply.h"

uint32_t ZVirtualDevice_PowerSupply::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_PowerSupply::deviceCode() const { return 6; }

std::string ZVirtualDevice_PowerSupply::displayName() const { return "Power supply"; }

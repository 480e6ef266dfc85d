#include "nosl/ZVirtualDevice_Taximeter.h"

uint32_t ZVirtualDevice_Taximeter::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_Taximeter::deviceCode() const { return 11; }

std::string ZVirtualDevice_Taximeter::displayName() const { return "Taximeter"; }

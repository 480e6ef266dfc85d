#include "nosl/ZVirtualDevice_RoofBarSound.h"

uint32_t ZVirtualDevice_RoofBarSound::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RoofBarSound::deviceCode() const { return 20; }

std::string ZVirtualDevice_RoofBarSound::displayName() const { return "Roof bar sound"; }

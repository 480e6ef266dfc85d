#include "nosl/ZVirtualDevice_FireExtinguishingSystem.h"

uint32_t ZVirtualDevice_FireExtinguishingSystem::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_FireExtinguishingSystem::deviceCode() const { return 4; }

std::string ZVirtualDevice_FireExtinguishingSystem::displayName() const { return "Fire extinguishing system"; }

#include "nosl/ZVirtualDevice_NavigationSystem.h"

uint32_t ZVirtualDevice_NavigationSystem::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_NavigationSystem::deviceCode() const { return 10; }

std::string ZVirtualDevice_NavigationSystem::displayName() const { return "Navigation system"; }

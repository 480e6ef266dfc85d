#include "nosl/ZVirtualDevice_EmergencyFreshAirSystem.h"

uint32_t ZVirtualDevice_EmergencyFreshAirSystem::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_EmergencyFreshAirSystem::deviceCode() const { return 5; }

std::string ZVirtualDevice_EmergencyFreshAirSystem::displayName() const { return "Emergency fresh-air system"; }

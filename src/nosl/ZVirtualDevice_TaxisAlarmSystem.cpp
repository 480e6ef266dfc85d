#include "nosl/ZVirtualDevice_TaxisAlarmSystem.h"

uint32_t ZVirtualDevice_TaxisAlarmSystem::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_TaxisAlarmSystem::deviceCode() const { return 16; }

std::string ZVirtualDevice_TaxisAlarmSystem::displayName() const { return "Taxi alarm system"; }

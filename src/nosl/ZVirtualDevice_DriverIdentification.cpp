#include "nosl/ZVirtualDevice_DriverIdentification.h"

uint32_t ZVirtualDevice_DriverIdentification::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_DriverIdentification::deviceCode() const { return 14; }

std::string ZVirtualDevice_DriverIdentification::displayName() const { return "Driver identification"; }

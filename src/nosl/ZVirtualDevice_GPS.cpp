#include "nosl/ZVirtualDevice_GPS.h"

uint32_t ZVirtualDevice_GPS::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_GPS::deviceCode() const { return 9; }

std::string ZVirtualDevice_GPS::displayName() const { return "GPS"; }

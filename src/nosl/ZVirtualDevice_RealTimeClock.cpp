#include "nosl/ZVirtualDevice_RealTimeClock.h"

uint32_t ZVirtualDevice_RealTimeClock::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RealTimeClock::deviceCode() const { return 13; }

std::string ZVirtualDevice_RealTimeClock::displayName() const { return "Real time clock"; }

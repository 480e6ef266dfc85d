#include "nosl/ZVirtualDevice_Radio.h"

uint32_t ZVirtualDevice_Radio::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_Radio::deviceCode() const { return 17; }

std::string ZVirtualDevice_Radio::displayName() const { return "Radio"; }

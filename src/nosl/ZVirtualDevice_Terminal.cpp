#include "nosl/ZVirtualDevice_Terminal.h"

uint32_t ZVirtualDevice_Terminal::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_Terminal::deviceCode() const { return 8; }

std::string ZVirtualDevice_Terminal::displayName() const { return "Terminal"; }

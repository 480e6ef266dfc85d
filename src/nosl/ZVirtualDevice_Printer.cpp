#include "nosl/ZVirtualDevice_Printer.h"

uint32_t ZVirtualDevice_Printer::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_Printer::deviceCode() const { return 12; }

std::string ZVirtualDevice_Printer::displayName() const { return "Printer"; }

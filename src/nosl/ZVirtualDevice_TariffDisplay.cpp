#include "nosl/ZVirtualDevice_TariffDisplay.h"

uint32_t ZVirtualDevice_TariffDisplay::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_TariffDisplay::deviceCode() const { return 15; }

std::string ZVirtualDevice_TariffDisplay::displayName() const { return "Tariff display"; }

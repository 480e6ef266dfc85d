#include "nosl/ZVirtualDevice_DiscreteInputs.h"

uint32_t ZVirtualDevice_DiscreteInputs::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_DiscreteInputs::deviceCode() const { return 7; }

std::string ZVirtualDevice_DiscreteInputs::displayName() const { return "Discrete inputs"; }

#include "nosl/ZVirtualDevice_IVNGatewayClass1.h"

uint32_t ZVirtualDevice_IVNGatewayClass1::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_IVNGatewayClass1::deviceCode() const { return 1; }

std::string ZVirtualDevice_IVNGatewayClass1::displayName() const { return "IVN gateway class 1"; }

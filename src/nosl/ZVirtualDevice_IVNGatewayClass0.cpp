#include "nosl/ZVirtualDevice_IVNGatewayClass0.h"

uint32_t ZVirtualDevice_IVNGatewayClass0::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_IVNGatewayClass0::deviceCode() const { return 0; }

std::string ZVirtualDevice_IVNGatewayClass0::displayName() const { return "IVN gateway class 0"; }

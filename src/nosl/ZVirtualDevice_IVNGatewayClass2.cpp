#include "nosl/ZVirtualDevice_IVNGatewayClass2.h"

uint32_t ZVirtualDevice_IVNGatewayClass2::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_IVNGatewayClass2::deviceCode() const { return 2; }

std::string ZVirtualDevice_IVNGatewayClass2::displayName() const { return "IVN gateway class 2"; }

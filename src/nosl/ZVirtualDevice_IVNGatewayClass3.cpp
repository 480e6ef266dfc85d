#include "nosl/ZVirtualDevice_IVNGatewayClass3.h"

uint32_t ZVirtualDevice_IVNGatewayClass3::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_IVNGatewayClass3::deviceCode() const { return 3; }

std::string ZVirtualDevice_IVNGatewayClass3::displayName() const { return "IVN gateway class 3"; }

// The virtual device "IVN gateway class 1" (option "-vd_ivn1"): bit 1 of object
// 0x6000 sub-index 1.
#pragma once

#include "nosl/ZVirtualDevice.h"

class ZVirtualDevice_IVNGatewayClass1 : public ZVirtualDevice {
 public:
  uint32_t profileObject() const override;
  int32_t deviceCode() const override;
  std::string displayName() const override;
};

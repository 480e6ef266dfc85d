// The virtual device "IVN gateway class 3" (option "-vd_ivn3"): bit 3 of object
// 0x6000 sub-index 1.
#pragma once

#include "nosl/ZVirtualDevice.h"

class ZVirtualDevice_IVNGatewayClass3 : public ZVirtualDevice {
 public:
  uint32_t profileObject() const override;
  int32_t deviceCode() const override;
  std::string displayName() const override;
};

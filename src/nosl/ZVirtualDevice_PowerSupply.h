// The virtual device "Power supply" (option "-vd_pows"): bit 6 of object
// 0x6000 sub-index 1.
#pragma once

#include "nosl/ZVirtualDevice.h"

class ZVirtualDevice_PowerSupply : public ZVirtualDevice {
 public:
  uint32_t profileObject() const override;
  int32_t deviceCode() const override;
  std::string displayName() const override;
};

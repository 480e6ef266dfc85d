// The virtual device "Roof bar light" (option "-vd_rbl"): bit 19 of object
// 0x6000 sub-index 1.
#pragma once

#include "nosl/ZVirtualDevice.h"

class ZVirtualDevice_RoofBarLight : public ZVirtualDevice {
 public:
  uint32_t profileObject() const override;
  int32_t deviceCode() const override;
  std::string displayName() const override;
};

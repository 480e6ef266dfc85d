// The virtual device "Discrete inputs" (option "-vd_dcri"): bit 7 of object
// 0x6000 sub-index 1.
#pragma once

#include "nosl/ZVirtualDevice.h"

class ZVirtualDevice_DiscreteInputs : public ZVirtualDevice {
 public:
  uint32_t profileObject() const override;
  int32_t deviceCode() const override;
  std::string displayName() const override;
};

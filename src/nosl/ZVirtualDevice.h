// The virtual devices of the CiA 447 profile that the tester node can
// claim: the abstract device, and one class per row of the device table
// (core/VirtualDevices.h), ZVirtualDevice_Taximeter and the others, each
// answering the constants of its row. A device's code is its bit position
// in the object it contributes to.
#pragma once

#include <cstdint>
#include <string>

#include "core/VirtualDevices.h"

class ZVirtualDevice {
 public:
  virtual ~ZVirtualDevice();
  // The object index the device contributes to (0x6000 for every device).
  virtual uint32_t profileObject() const = 0;
  // The device number 0 to 26, also its bit position in 0x6000 sub-index 1.
  virtual int32_t deviceCode() const = 0;
  // The name written into the script and printed on the console.
  virtual std::string displayName() const = 0;
};

#define CO447_DECLARE_DEVICE(code, name, flag, displayText, usageText, object) \
  class ZVirtualDevice_##name : public ZVirtualDevice {                        \
   public:                                                                     \
    uint32_t profileObject() const override;                                   \
    int32_t deviceCode() const override;                                       \
    std::string displayName() const override;                                  \
  };
CO447_VIRTUAL_DEVICES(CO447_DECLARE_DEVICE)
#undef CO447_DECLARE_DEVICE

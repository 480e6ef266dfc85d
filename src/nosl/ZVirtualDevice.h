// A virtual device of the CiA 447 profile that the tester node can claim:
// its device code is its bit position in the object it contributes to.
#pragma once

#include <cstdint>
#include <string>

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

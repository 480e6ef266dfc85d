// The function coGen_ODCreateAdditionalObjects of the tester node script:
// creates the device type object 0x1000, the virtual device object 0x6000
// with one bit per device chosen on the command line, and the heartbeat
// object 0x1017.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "framework/ZNoslFunction.h"
#include "nosl/ZVirtualDevice.h"

class ZCoCreateAdditionalObjects : public ZNewFunction {
 public:
  using DeviceList = std::deque<std::unique_ptr<ZVirtualDevice>>;

  // Builds the device list from the virtual device flags of the run settings
  // (descending device code) and prints it on the console.
  ZCoCreateAdditionalObjects();

  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

  const DeviceList& deviceList() const { return deviceList_; }
  // The bits of the listed devices that contribute to object 0x6000.
  uint32_t virtualDeviceMask() const;

 private:
  DeviceList deviceList_;
};

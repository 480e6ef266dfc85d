#include "nosl/ZVirtualDevice.h"

ZVirtualDevice::~ZVirtualDevice() = default;

#define CO447_DEFINE_DEVICE(code, name, flag, displayText, usageText, object)  \
  uint32_t ZVirtualDevice_##name::profileObject() const { return object; }     \
  int32_t ZVirtualDevice_##name::deviceCode() const { return code; }           \
  std::string ZVirtualDevice_##name::displayName() const { return displayText; }
CO447_VIRTUAL_DEVICES(CO447_DEFINE_DEVICE)
#undef CO447_DEFINE_DEVICE

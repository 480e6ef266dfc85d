#include "nosl/ZVirtualDevice_AudioSwitch.h"

uint32_t ZVirtualDevice_AudioSwitch::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_AudioSwitch::deviceCode() const { return 18; }

std::string ZVirtualDevice_AudioSwitch::displayName() const { return "Audio switch"; }

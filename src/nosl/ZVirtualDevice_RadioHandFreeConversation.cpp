#include "nosl/ZVirtualDevice_RadioHandFreeConversation.h"

uint32_t ZVirtualDevice_RadioHandFreeConversation::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RadioHandFreeConversation::deviceCode() const { return 25; }

std::string ZVirtualDevice_RadioHandFreeConversation::displayName() const { return "Radio hand-free conversation"; }

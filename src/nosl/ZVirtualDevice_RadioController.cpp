#include "nosl/ZVirtualDevice_RadioController.h"

uint32_t ZVirtualDevice_RadioController::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RadioController::deviceCode() const { return 23; }

std::string ZVirtualDevice_RadioController::displayName() const { return "Radio controller"; }

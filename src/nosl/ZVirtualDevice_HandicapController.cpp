#include "nosl/ZVirtualDevice_HandicapController.h"

uint32_t ZVirtualDevice_HandicapController::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_HandicapController::deviceCode() const { return 24; }

std::string ZVirtualDevice_HandicapController::displayName() const { return "Handicap controller"; }

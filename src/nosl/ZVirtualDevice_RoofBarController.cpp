#include "nosl/ZVirtualDevice_RoofBarController.h"

uint32_t ZVirtualDevice_RoofBarController::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_RoofBarController::deviceCode() const { return 22; }

std::string ZVirtualDevice_RoofBarController::displayName() const { return "Roof bar controller"; }

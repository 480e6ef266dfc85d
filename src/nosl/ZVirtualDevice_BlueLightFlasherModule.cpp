#include "nosl/ZVirtualDevice_BlueLightFlasherModule.h"

uint32_t ZVirtualDevice_BlueLightFlasherModule::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_BlueLightFlasherModule::deviceCode() const { return 21; }

std::string ZVirtualDevice_BlueLightFlasherModule::displayName() const { return "Blue light flasher module"; }

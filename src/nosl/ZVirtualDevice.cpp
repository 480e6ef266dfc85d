#include "nosl/ZVirtualDevice.h"

ZVirtualDevice::~ZVirtualDevice() = default;

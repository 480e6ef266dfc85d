#include "nosl/ZVirtualDevice_TesterTool.h"

uint32_t ZVirtualDevice_TesterTool::profileObject() const { return 0x6000; }

int32_t ZVirtualDevice_TesterTool::deviceCode() const { return 26; }

std::string ZVirtualDevice_TesterTool::displayName() const { return "Tester/tool"; }

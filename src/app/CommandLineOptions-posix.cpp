#include "app/CommandLineOptions.h"

const char* const kPlatformHelpSpelling = nullptr;
const char kManualPointer[] = "'man co447gen'";

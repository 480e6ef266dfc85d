#include "app/CommandLineOptions.h"

const char* const kPlatformHelpSpelling = "/?";
const char kManualPointer[] = "README.md, README.txt and docs\\ beside co447gen.exe";

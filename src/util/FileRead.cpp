#include "util/FileRead.h"

std::string fileInUseText(const std::string& path) { return "File \"" + path + "\" is used by another program"; }

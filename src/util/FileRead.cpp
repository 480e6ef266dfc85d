#include "util/FileRead.h"

#include <cerrno>
#include <new>

std::string fileInUseText(const std::string& path) { return "File \"" + path + "\" is used by another program"; }

void throwIfOpenLackedMemory() {
  if (errno == ENOMEM) throw std::bad_alloc();
}

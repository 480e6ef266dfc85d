#include "util/FileRead.h"

#include <cerrno>
#include <new>

void throwIfOpenLackedMemory() {
  if (errno == ENOMEM) throw std::bad_alloc();
}

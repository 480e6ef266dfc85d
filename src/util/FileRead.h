// Reading a whole file into memory, within a limit that is checked before
// anything is read; telling a file that failed to open for lack of memory.
#pragma once

#include <cstddef>
#include <string>

enum class ZFileReadResult {
  Read,
  TooLarge,  // more than the limit: nothing is kept
  Failed,    // the file cannot be opened or read
};

// Reads the file at path into bytes. The string is sized from the file's
// size before reading, so that the file's bytes are in memory once (a file
// that grows meanwhile is read up to the limit and no further). A FIFO or
// device is read without blocking.
ZFileReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// After a file failed to open: throws std::bad_alloc when it failed for
// lack of memory (errno ENOMEM: the C library found no room for the open
// file), which is no fault of the file and must not pass for one.
void throwIfOpenLackedMemory();

// Reading a whole file into memory, within a limit that is checked before
// anything is read, and telling a file that is missing from one that
// another program keeps from being read (FileRead-posix.cpp,
// FileRead-win32.cpp).
//
// On Windows a program (an editor, a virus scanner) may hold a file open
// without letting others read it. Such a file is tried again for about a
// second, as a replacement is, and is then reported as used by another
// program: it is never taken for a missing or a damaged file. POSIX
// systems have no such sharing: a file there is never in use.
//
// A file that failed to open for lack of memory is told apart as well.
#pragma once

#include <cstddef>
#include <string>

enum class FileReadResult {
  Read,
  TooLarge,  // more than the limit: nothing is kept
  Failed,    // the file cannot be opened or read
  InUse,     // another program holds it open and lets nobody read it
};

// Reads the file at path into bytes. The string is sized from the file's
// size before reading, so that the file's bytes are in memory once (a file
// that grows meanwhile is read up to the limit and no further). A FIFO or
// device is read without blocking.
FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

enum class ReadAccess { Readable, Missing, InUse };
// Whether the file at path can be opened for reading, as isReadableFile tells
// (Readable, Missing), or is held by another program that lets nobody read
// it (InUse, after trying again for about a second).
ReadAccess readAccessOf(const std::string& path);

// The line that says why a file in use cannot be opened:
// File "<path>" is used by another program
std::string fileInUseText(const std::string& path);

// After a file failed to open: throws std::bad_alloc when it failed for
// lack of memory (errno ENOMEM: the C library found no room for the open
// file), which is no fault of the file and must not pass for one.
void throwIfOpenLackedMemory();

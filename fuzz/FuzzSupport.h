// Helpers shared by the fuzz targets: the parsers read files, so every
// input is written to a file in a private temporary directory first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fuzzsupport {

// A directory made once per process (in /dev/shm when it can be written,
// else below $TMPDIR or /tmp) and removed with its contents when the
// process exits.
const std::string& scratchDirectory();

// scratchDirectory() + "/" + name, with the bytes written to it.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

std::string readWholeFile(const std::string& path);

// Stops the fuzzer with a report: a property that must hold did not.
[[noreturn]] void fail(const char* what);

// A zip file at path holding the given entries (name, contents), stored
// deflated. False when libzip cannot write it.
bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

// Splits bytes at every occurrence of separator.
std::vector<std::string> split(const std::string& bytes, const std::string& separator);

}  // namespace fuzzsupport

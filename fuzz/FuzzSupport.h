// Helpers shared by the fuzz targets: the parsers read files, so every
// input is written to a file in a private temporary directory first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CellSource;

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
// uncompressed. False when it cannot be written.
bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

// The bytes of a zip document (.xlsx, .ods) as a file named name: bytes
// that begin with "\n==> " are the document's parts, each a "\n==> "
// line with the entry name followed by the entry's bytes, and are packed
// into a zip first (so the fuzzer can change the XML without breaking the
// zip's checksums); any other bytes are the file itself.
std::string writeZipDocument(const std::string& name, const std::string& bytes);

// A column map and sheet reader: reads the sheet at sheetPath through the
// column map of the seed sheets (tests/data/input/Signals.ini), with both
// column sets, through the cell source factory (null: chosen by content).
// Also reads the first sheet straight through the source. Checks that
// every stored record came from a used row.
void readSheetBothWays(const std::string& sheetPath,
                       const std::function<std::unique_ptr<CellSource>(const std::string&)>& factory);

// The first sheet of the document at path, read straight through source:
// the result of selecting it, then the texts of A1:T40 one per line, up to
// a cell the source refuses ("budget"); "not opened" when the document
// does not open.
std::string firstSheetCells(CellSource& source, const std::string& path);

// Splits bytes at every occurrence of separator.
std::vector<std::string> split(const std::string& bytes, const std::string& separator);

}  // namespace fuzzsupport

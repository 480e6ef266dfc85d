#include "FuzzSupport.h"

#include "input/CellSource.h"
#include "input/ZIniMapExcelSheetReader.h"
#include "input/ZipWriter.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fuzzsupport {

namespace {

// Every input goes through files, so a memory file system (/dev/shm) makes
// the targets many times faster than a disk; $TMPDIR or /tmp otherwise.
std::string scratchBase() {
  if (::access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
  const char* base = std::getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

std::string makeScratchDirectory() {
  std::string pattern = scratchBase() + "/co447gen-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) fail("cannot make a temporary directory");
  return pattern;
}

void removeScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(scratchDirectory(), ignored);
}

// The column map of the seed sheets in tests/data/input.
const char kColumnMap[] =
    "[XLSImport]\n"
    "SkipRows=2\n"
    "SignalName=0\n"
    "ObjectIndex=1\n"
    "ObjectSubIndex=2\n"
    "ObjectSize=3\n"
    "SignalOffset=4\n"
    "SignalSize=5\n"
    "SignalReserved=6\n"
    "SignalIsUsed=7\n"
    "CommandOrStatus=8\n"
    "IsUsedButNotImplemented=9\n"
    "IsUsedStatus=10\n"
    "IsUsedCommand=11\n"
    "ObjectName=12\n"
    "SignalNameShort=13\n"
    "IsUsedPDO=14\n";

const char kPartMark[] = "\n==> ";

}  // namespace

const std::string& scratchDirectory() {
  // Never destroyed: the exit handler that removes the directory needs it.
  static const std::string* const path = [] {
    const std::string* made = new std::string(makeScratchDirectory());
    std::atexit(removeScratchDirectory);
    return made;
  }();
  return *path;
}

std::string writeScratchFile(const std::string& name, const std::string& bytes) {
  const std::string path = scratchDirectory() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) fail("cannot write a scratch file");
  return path;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void fail(const char* what) {
  std::fprintf(stderr, "fuzz property violated: %s\n", what);
  std::abort();
}

bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  // Stored, not deflated: compressing every input would cost more than
  // reading it (raw documents from the seeds keep the deflated path).
  std::vector<zipwriter::Entry> stored;
  for (const auto& [name, contents] : entries) stored.emplace_back(name, contents, false);
  const std::string bytes = zipwriter::zipBytes(stored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string writeZipDocument(const std::string& name, const std::string& bytes) {
  if (bytes.compare(0, sizeof kPartMark - 1, kPartMark) != 0) return writeScratchFile(name, bytes);
  std::vector<std::pair<std::string, std::string>> entries;
  std::vector<std::string> parts = split(bytes.substr(sizeof kPartMark - 1), kPartMark);
  for (const std::string& part : parts) {
    const std::size_t lineEnd = part.find('\n');
    if (lineEnd == std::string::npos || lineEnd == 0) continue;
    entries.emplace_back(part.substr(0, lineEnd), part.substr(lineEnd + 1));
  }
  const std::string path = scratchDirectory() + "/" + name;
  // A document that cannot be written is read as raw bytes instead.
  if (!writeZip(path, entries)) return writeScratchFile(name, bytes);
  return path;
}

void readSheetBothWays(const std::string& sheetPath,
                       const std::function<std::unique_ptr<CellSource>(const std::string&)>& factory) {
  static const std::string columnMap = writeScratchFile("columns.ini", kColumnMap);
  for (int columnSet = 1; columnSet <= 2; ++columnSet) {
    std::unique_ptr<ZIniMapExcelSheetReader> reader =
        factory ? std::make_unique<ZIniMapExcelSheetReader>(columnSet, factory)
                : std::make_unique<ZIniMapExcelSheetReader>(columnSet);
    reader->read(sheetPath, columnMap, "Signals");
    for (const ZListEntry& record : reader->signalTable()) {
      if (record.signalName.empty()) fail("a record without a signal name was stored");
      if (columnSet == 2 && record.signalNameShort.empty()) fail("a record without a short name was stored");
    }
  }
  if (!factory) return;
  // The first sheet, cell by cell, as far as the source goes.
  std::unique_ptr<CellSource> source = factory(sheetPath);
  if (source == nullptr || source->start() != CellSourceResult::ok) return;
  firstSheetCells(*source, sheetPath);
  source->finish();
}

std::string firstSheetCells(CellSource& source, const std::string& path) {
  if (source.openDocument(path) != CellSourceResult::ok) return "not opened";
  const CellSourceResult selected = source.selectSheet(std::string());
  std::string out = std::to_string(static_cast<int>(selected)) + "\n";
  if (selected != CellSourceResult::ok) return out;
  CellAddress address;
  std::string text;
  for (int row = 1; row <= 40; ++row) {
    for (int column = 0; column < 20; ++column) {
      address.row = row;
      address.column = column;
      address.text = cellAddressText(column, row);
      if (source.cellText(address, text) != CellSourceResult::ok) return out + "budget";
      out += text + "\n";
    }
  }
  return out;
}

std::vector<std::string> split(const std::string& bytes, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = bytes.find(separator, start);
    if (at == std::string::npos) break;
    parts.push_back(bytes.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(bytes.substr(start));
  return parts;
}

}  // namespace fuzzsupport

#include "input/ZIniMapExcelSheetReader.h"

#include <utility>

#include "input/ColumnMapFile.h"
#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

// Cell positions in the column list, in the order the list is built.
enum Cell {
  kObjectIndex,
  kSignalName,
  kObjectSize,
  kObjectSubIndex,
  kSignalOffset,
  kSignalSize,
  kSignalReserved,
  kSignalIsUsed,
  kCommandOrStatus,
  kIsUsedButNotImplemented,
  kIsUsedStatus,
  kIsUsedCommand,
  kObjectName,
  kSignalNameShort,
  kIsUsedPDO,
};

const char* const kColumnKeys[] = {
    "ObjectIndex",    "SignalName",  "ObjectSize",     "ObjectSubIndex",          "SignalOffset",
    "SignalSize",     "SignalReserved", "SignalIsUsed", "CommandOrStatus",        "IsUsedButNotImplemented",
    "IsUsedStatus",   "IsUsedCommand", "ObjectName",   "SignalNameShort",         "IsUsedPDO",
};
const std::size_t kColumnSet1Count = 9;
const std::size_t kColumnSet2Count = 15;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Letters count in either case: the conversions read the cell text as if
// lower-cased.
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Scans one number like sscanf with "%lx%s" / "%ld%s" on a 32-bit long and
// accepts it only when that makes exactly one conversion: blanks may
// surround the number, nothing else may follow it. magnitude is clamped to
// limit; negative tells the sign.
bool scanNumber(const std::string& text, bool hex, uint64_t limit, uint64_t& magnitude, bool& negative) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && isBlank(text[i])) ++i;
  negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // A 0x prefix counts only before a hex digit; "0x" alone is the number 0
  // followed by the text "x".
  if (hex && i + 2 < n && text[i] == '0' && (text[i + 1] | 0x20) == 'x' && hexDigit(text[i + 2]) >= 0) i += 2;
  const int base = hex ? 16 : 10;
  std::size_t digits = 0;
  magnitude = 0;
  for (; i < n; ++i, ++digits) {
    const int d = hex ? hexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) break;
    magnitude = magnitude * base + static_cast<uint64_t>(d);
    if (magnitude > limit) magnitude = limit + 1;  // stays above the limit, cannot overflow
  }
  if (digits == 0) return false;
  while (i < n && isBlank(text[i])) ++i;
  return i == n;
}

}  // namespace

bool readHexCell(const std::string& text, uint32_t& value) {
  uint64_t magnitude = 0;
  bool negative = false;
  if (!scanNumber(text, true, UINT32_MAX, magnitude, negative)) return false;
  if (magnitude > UINT32_MAX) {
    value = UINT32_MAX;  // out of range saturates, whatever the sign
  } else {
    value = static_cast<uint32_t>(negative ? (0 - magnitude) : magnitude);
  }
  return true;
}

bool readDecimalCell(const std::string& text, int32_t& value) {
  uint64_t magnitude = 0;
  bool negative = false;
  if (!scanNumber(text, false, static_cast<uint64_t>(INT32_MAX) + 1, magnitude, negative)) {
    return false;
  }
  if (negative) {
    value = magnitude > static_cast<uint64_t>(INT32_MAX) ? INT32_MIN : -static_cast<int32_t>(magnitude);
  } else {
    value = magnitude > static_cast<uint64_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(magnitude);
  }
  return true;
}

int32_t readFlagCell(const std::string& text) { return text.size() == 1 && (text[0] | 0x20) == 'x' ? 1 : 0; }

ZIniMapExcelSheetReader::ZIniMapExcelSheetReader(int columnSet) : columnSet_(columnSet) {}

ZIniMapExcelSheetReader::ZIniMapExcelSheetReader(int columnSet, CellSourceFactory factory)
    : ZExcelSheetReader(std::move(factory)), columnSet_(columnSet) {}

bool ZIniMapExcelSheetReader::read(const std::string& sheetPath, const std::string& iniPath,
                                   const std::string& sheetName) {
  errorText_.clear();
  columnMapIsEmpty_ = false;
  const ReadAccess access = readAccessOf(iniPath);
  if (access != ReadAccess::Readable) {
    errorText_ += "ini file \"" + iniPath + "\"" +
                  (access == ReadAccess::InUse ? " cannot be opened\n" + fileInUseText(iniPath) : " does not exist");
    return false;
  }
  if (pathKindAt(iniPath, true) != PathKind::RegularFile) {
    errorText_ += "ini file \"" + iniPath + "\" is not a regular file";
    return false;
  }
  ColumnMapFile map;
  map.load(iniPath);
  columnMapIsEmpty_ = !map.hasEntries();
  const int skipRows = map.value("SkipRows");
  const std::size_t count = columnSet_ == 2 ? kColumnSet2Count : kColumnSet1Count;
  std::vector<int> columns;
  for (std::size_t i = 0; i < count; ++i) columns.push_back(map.value(kColumnKeys[i]));

  signalTable_.clear();
  return readSheet(sheetPath, columns, skipRows, sheetName);
}

bool ZIniMapExcelSheetReader::processRow(const std::vector<std::string>& cells, std::size_t expectedCount) {
  // A row without a "SignalIsUsed" cell cannot be judged at all.
  if (cells.size() <= kSignalIsUsed) return false;
  if (readFlagCell(cells[kSignalIsUsed]) == 0) return true;
  if (cells.size() != expectedCount) return false;
  if (columnSet_ == 2 && cells.size() < kColumnSet2Count) return false;

  ZListEntry record;
  if (!readHexCell(cells[kObjectIndex], record.objectIndex)) return false;
  if (!readDecimalCell(cells[kObjectSize], record.objectSize)) return false;
  if (!readHexCell(cells[kObjectSubIndex], record.objectSubIndex)) return false;
  if (!readDecimalCell(cells[kSignalOffset], record.signalOffset)) return false;
  if (!readDecimalCell(cells[kSignalSize], record.signalSize)) return false;

  if (cells[kSignalName].empty()) {
    errorText_ += strFormat("Object 0x%xsub%x: no value specified for value \"signal name (description)\". ",
                            record.objectIndex, record.objectSubIndex);
    return false;
  }
  record.signalName = cells[kSignalName];

  if (columnSet_ == 2) {
    if (cells[kSignalNameShort].empty()) {
      errorText_ += strFormat("Object 0x%xsub%x: no value specified for value \"signal name (short name)\". ",
                              record.objectIndex, record.objectSubIndex);
      return false;
    }
    record.isUsedButNotImplemented = readFlagCell(cells[kIsUsedButNotImplemented]);
    record.isUsedStatus = readFlagCell(cells[kIsUsedStatus]);
    record.isUsedCommand = readFlagCell(cells[kIsUsedCommand]);
    record.objectName = cells[kObjectName];
    record.signalNameShort = cells[kSignalNameShort];
    record.isUsedPDO = readFlagCell(cells[kIsUsedPDO]);
  }
  record.signalReserved = readFlagCell(cells[kSignalReserved]);
  record.commandOrStatus = readFlagCell(cells[kCommandOrStatus]);
  signalTable_.add(std::move(record));
  return true;
}

void ZIniMapExcelSheetReader::reportBadRow(unsigned row) {
  errorText_ += strFormat("Excel data row %u is incomplete or errorneous\n", row);
}

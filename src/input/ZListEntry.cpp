#include "input/ZListEntry.h"

#include "util/StringFormat.h"

std::string objectKey(const ZListEntry& record) {
  return strFormat("0x%x_0x%x", record.objectIndex, record.objectSubIndex);
}

bool liesInOneByte(const ZListEntry& record) {
  // Computed in 64 bits so that extreme sheet values cannot overflow; the
  // division truncates toward zero as the 32-bit formula does.
  const int64_t first = record.signalOffset;
  const int64_t last = static_cast<int64_t>(record.signalOffset) + record.signalSize - 1;
  return first / 8 == last / 8;
}

bool isWideObject(const ZListEntry& record) { return record.objectSize > 32; }

bool isTwoWordObject(const ZListEntry& record) { return record.objectSize > 32 && record.objectSize <= 64; }

bool hasFloatingValue(const ZListEntry& record) { return isTwoWordObject(record) && record.signalSize > 32; }

bool isHeaderSignal(const ZListEntry& record) {
  const bool used = record.isUsedCommand == 1 || record.isUsedButNotImplemented == 1 ||
                    record.isUsedPDO == 1 || record.isUsedStatus == 1;
  return record.signalReserved == 0 && used && record.objectSize <= 64;
}

std::string listLine(const ZListEntry& record) {
  return strFormat("0x%x   0x%x     %2d      %2d      %s", record.objectIndex,
                   record.objectSubIndex, record.signalOffset, record.signalSize,
                   record.signalName.c_str());
}

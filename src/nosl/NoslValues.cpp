#include "nosl/NoslValues.h"

#include "util/StringFormat.h"

std::string hexValue(uint32_t value) { return "0x" + hexText(value); }

std::string objectKeyText(uint32_t objectIndex, uint32_t objectSubIndex) {
  return hexValue(objectIndex) + "_" + hexValue(objectSubIndex);
}

int64_t objectBytes(int32_t objectSize) { return (static_cast<int64_t>(objectSize) + 7) / 8; }

std::string powerOfTwoText(int32_t bits) {
  if (bits >= 64) return "18446744073709551616.0";
  return std::to_string(uint64_t{1} << (bits < 0 ? 0 : bits)) + ".0";
}

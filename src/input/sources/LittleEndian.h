// Numbers as the binary file formats store them (the compound file, its
// workbook stream, the zip archive): little-endian, at any alignment.
#pragma once

#include <cstdint>
#include <cstring>

namespace littleendian {

inline uint16_t u16(const char* p) {
  return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | static_cast<uint8_t>(p[1]) << 8);
}
inline uint32_t u32(const char* p) { return u16(p) | static_cast<uint32_t>(u16(p + 2)) << 16; }
inline uint64_t u64(const char* p) { return u32(p) | static_cast<uint64_t>(u32(p + 4)) << 32; }
// An IEEE 754 double.
inline double f64(const char* p) {
  const uint64_t bits = u64(p);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace littleendian

// Values the NOSL pieces insert into their text, formatted the one way every
// piece writes them.
#pragma once

#include <cstdint>
#include <string>

// "0x%x": lower-case hexadecimal, no leading zeros (0x6000, 0x1a, 0x1).
std::string hexValue(uint32_t value);
// "0x%x_0x%x" of an object index and sub-index, the same text objectKey()
// gives for a record of that object.
std::string objectKeyText(uint32_t objectIndex, uint32_t objectSubIndex);
// The object size in whole bytes, (objectSize + 7) / 8, computed in 64 bits
// so that an extreme sheet value cannot overflow.
int64_t objectBytes(int32_t objectSize);
// 2 to the power of bits (0 to 64) as a floating constant in decimal:
// 33 gives "8589934592.0". Every such power is exact in a floating value.
std::string powerOfTwoText(int32_t bits);

// Codes and ranges of the environment variables entered into the signal
// database.
#pragma once

#include <cstdint>

// Access of every variable the generator enters: read and write.
constexpr int32_t kVariableCodeReadWrite = 3;

// Type codes: a whole number, a floating number (a signal of more than
// 32 bits, -wide), or a string (the value of an object wider than 32 bits,
// which the generated script handles as text).
constexpr int32_t kTypeCodeNumeric = 0;
constexpr int32_t kTypeCodeFloating = 1;
constexpr int32_t kTypeCodeString = 2;

// The largest value a field of `bits` bits holds, 2^bits - 1, computed in
// 64 bits (32 gives 4294967295). 0 for bits <= 0. A field of 64 bits or
// more saturates at 18446744073709551615, the largest value a variable can
// carry.
uint64_t maxValueOfBits(int32_t bits);

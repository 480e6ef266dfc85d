// Codes and ranges of the environment variables entered into the signal
// database.
#pragma once

#include <cstdint>
#include <string>

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

// What a variable holds: its type and, for a number, its range and the
// value it starts at (a string has neither).
struct VariableAttributes {
  int32_t typeCode = kTypeCodeNumeric;
  double minimum = 0;
  double maximum = 0;
  double initialValue = 0;
};

// The same type and, for numbers, the same range and starting value.
bool sameAttributes(const VariableAttributes& a, const VariableAttributes& b);

// A variable that a database already holds, with the attributes it keeps
// there and the ones a run asked for.
struct KeptVariable {
  std::string name;
  VariableAttributes kept;
  VariableAttributes needed;
};

// "integer 0 to 255 starting at 0", "floating -1.5 to 1000 starting at 0.5",
// "string" ("type 7" for a type code the format does not name). Numbers in
// their shortest exact form.
std::string describeAttributes(const VariableAttributes& attributes);

#include "database/VariableAttributes.h"

uint64_t maxValueOfBits(int32_t bits) {
  if (bits <= 0) return 0;
  if (bits >= 64) return UINT64_MAX;
  return (uint64_t{1} << bits) - 1;
}

#include "database/VariableAttributes.h"

#include <charconv>

uint64_t maxValueOfBits(int32_t bits) {
  if (bits <= 0) return 0;
  if (bits >= 64) return UINT64_MAX;
  return (uint64_t{1} << bits) - 1;
}

bool sameAttributes(const VariableAttributes& a, const VariableAttributes& b) {
  if (a.typeCode != b.typeCode) return false;
  if (a.typeCode == kTypeCodeString) return true;
  return a.minimum == b.minimum && a.maximum == b.maximum && a.initialValue == b.initialValue;
}

namespace {

std::string numberText(double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

}  // namespace

std::string describeAttributes(const VariableAttributes& attributes) {
  std::string type;
  switch (attributes.typeCode) {
    case kTypeCodeString:
      return "string";
    case kTypeCodeNumeric:
      type = "integer";
      break;
    case kTypeCodeFloating:
      type = "floating";
      break;
    default:
      type = "type " + std::to_string(attributes.typeCode);
      break;
  }
  return type + " " + numberText(attributes.minimum) + " to " + numberText(attributes.maximum) + " starting at " +
         numberText(attributes.initialValue);
}

#include "app/Identifier.h"

namespace {
constexpr std::size_t kMaxIdentifierLength = 127;

bool isIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
}  // namespace

std::string sanitizeIdentifier(const std::string& text, const std::string& fallback) {
  if (text.empty()) return fallback;
  std::string result = text.substr(0, kMaxIdentifierLength);
  for (char& c : result) {
    if (!isIdentifierByte(c)) c = '_';
  }
  return result;
}

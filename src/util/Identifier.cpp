#include "util/Identifier.h"

namespace {
constexpr std::size_t kMaxIdentifierLength = 127;

bool isIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
}  // namespace

void appendIdentifier(std::string& out, const std::string& text, bool lowerCase) {
  const std::size_t length = text.size() < kMaxIdentifierLength ? text.size() : kMaxIdentifierLength;
  for (std::size_t i = 0; i < length; ++i) {
    char c = text[i];
    if (lowerCase && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    out += isIdentifierByte(c) ? c : '_';
  }
}

std::string sanitizeIdentifier(const std::string& text, const std::string& fallback) {
  if (text.empty()) return fallback;
  std::string result;
  appendIdentifier(result, text, false);
  return result;
}

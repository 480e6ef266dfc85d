#include "macros/MacroText.h"

std::string commentSafe(const std::string& text) {
  if (text.find("*/") == std::string::npos) return text;
  std::string result;
  result.reserve(text.size());
  std::string::size_type start = 0;
  for (auto end = text.find("*/"); end != std::string::npos; end = text.find("*/", start)) {
    result.append(text, start, end - start);
    result += "* /";
    start = end + 2;
  }
  result.append(text, start, std::string::npos);
  return result;
}

CommentSafeText::CommentSafeText(const std::string& text) : view_(text) {
  if (text.find("*/") != std::string::npos) {
    changed_ = commentSafe(text);
    view_ = changed_;
  }
}

std::string hexDigits(uint64_t value, int minDigits) {
  static const char kDigits[] = "0123456789abcdef";
  char reversed[16];
  int count = 0;
  do {
    reversed[count++] = kDigits[value & 0xf];
    value >>= 4;
  } while (value != 0);
  std::string result;
  if (minDigits > count) result.assign(static_cast<std::size_t>(minDigits - count), '0');
  while (count > 0) result += reversed[--count];
  return result;
}

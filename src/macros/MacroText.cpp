#include "macros/MacroText.h"

#include <cstdio>

namespace {

// What may stand between a backslash and the line break it joins: the
// compilers allow blanks (one of them also NUL bytes).
bool isJoinBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\0'; }

bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

// The position of the first character from `from` on that is no join blank.
std::size_t skipJoinBlanks(const std::string& text, std::size_t from) {
  while (from < text.size() && isJoinBlank(text[from])) ++from;
  return from;
}

// The UTF-8 lead bytes of the bidirectional controls below.
constexpr char kBidiLeadBytes[] = "\xE2\xD8";

// The length of the bidirectional control in UTF-8 that starts at `at`
// (U+202A to U+202E, U+2066 to U+2069, U+200E, U+200F, U+061C), or 0;
// codePoint gets its code point.
std::size_t bidiControlAt(const std::string& text, std::size_t at, unsigned& codePoint) {
  const auto byte = [&text](std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  if (byte(at) == 0xD8 && byte(at + 1) == 0x9C) {
    codePoint = 0x061C;
    return 2;
  }
  if (byte(at) != 0xE2 || (byte(at + 1) != 0x80 && byte(at + 1) != 0x81)) return 0;
  const unsigned third = byte(at + 2);
  if (third < 0x80 || third > 0xBF) return 0;
  codePoint = 0x2000 | ((byte(at + 1) & 0x3Fu) << 6) | (third & 0x3Fu);
  const bool bidi = codePoint == 0x200E || codePoint == 0x200F || (codePoint >= 0x202A && codePoint <= 0x202E) ||
                    (codePoint >= 0x2066 && codePoint <= 0x2069);
  return bidi ? 3 : 0;
}

// Texts without a "??/", without either of "*" and "/" and without a lead
// byte of a bidirectional control are kept as they are.
bool mayNeedChange(const std::string& text) {
  return text.find("?\?/") != std::string::npos ||
         (text.find('*') != std::string::npos && text.find('/') != std::string::npos) ||
         text.find_first_of(kBidiLeadBytes) != std::string::npos;
}

}  // namespace

std::string commentSafe(const std::string& text) {
  if (!mayNeedChange(text)) return text;
  std::string result;
  result.reserve(text.size() + 4);
  char previous = '\0';  // the last character of the text as the compiler sees it, lines joined
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\\') {
      const std::size_t lineBreak = skipJoinBlanks(text, i + 1);
      if (lineBreak < text.size() && isLineBreak(text[lineBreak])) {
        // A line join: kept, and nothing of it is left for the compiler.
        result.append(text, i, lineBreak + 1 - i);
        i = lineBreak + 1;
        continue;
      }
    } else if (text.compare(i, 3, "?\?/") == 0) {
      const std::size_t lineBreak = skipJoinBlanks(text, i + 3);
      if (lineBreak == text.size() || isLineBreak(text[lineBreak])) {
        result += "?? /";
        previous = '/';
        i += 3;
        continue;
      }
    }
    unsigned codePoint = 0;
    if (const std::size_t length = bidiControlAt(text, i, codePoint)) {
      char shown[16];
      std::snprintf(shown, sizeof shown, "<U+%04X>", codePoint);
      result += shown;
      previous = '>';
      i += length;
      continue;
    }
    const char c = text[i++];
    if ((previous == '*' && c == '/') || (previous == '/' && c == '*')) result += ' ';
    result += c;
    previous = c;
  }
  return result;
}

CommentSafeText::CommentSafeText(const std::string& text) : view_(text) {
  if (mayNeedChange(text)) {
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

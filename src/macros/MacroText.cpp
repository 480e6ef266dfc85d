#include "macros/MacroText.h"

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

// Texts without a "??/" or without either of "*" and "/" are kept as they are.
bool mayNeedChange(const std::string& text) {
  return text.find("?\?/") != std::string::npos ||
         (text.find('*') != std::string::npos && text.find('/') != std::string::npos);
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

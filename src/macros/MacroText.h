// Small text helpers of the C header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts taken from the signal description sheet end up inside C comments of
// the header. A "*/" in such a text would close the comment early and turn
// the rest of the text into code of every file that includes the header, so
// each "*/" is replaced by "* /"; everything else stays as it is.
std::string commentSafe(const std::string& text);

// The same as a piece of a written line: a view of the text itself when it
// holds no "*/" (nearly always), so that nothing is copied. It must not
// outlive the text; it is meant to be made right where the line is written.
class CommentSafeText {
 public:
  explicit CommentSafeText(const std::string& text);
  CommentSafeText(const CommentSafeText&) = delete;
  CommentSafeText& operator=(const CommentSafeText&) = delete;
  operator std::string_view() const { return view_; }

 private:
  std::string changed_;  // only when the text holds "*/"
  std::string_view view_;
};

// The value in lower-case hexadecimal, padded with zeros to at least
// minDigits digits, as "%0<minDigits>x" writes it (without "0x").
std::string hexDigits(uint64_t value, int minDigits = 1);

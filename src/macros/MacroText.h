// Small text helpers of the C header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts taken from the signal description sheet (and the output path) end
// up inside C comments of the header. Anything that lets the compiler see
// "*/" there would close the comment early and turn the rest of the text
// into code of every file that includes the header. The compiler first
// replaces the trigraph "??/" by a backslash and then joins a line that ends
// in a backslash (blanks may stand between the two) with the next one, so
// "*", a backslash, a line break and "/" also make "*/". Hence:
// - a "/" that follows "*", directly or across such line joins, gets a
//   blank before it: "*/" becomes "* /";
// - likewise a "*" that follows "/" ("/*" becomes "/ *"), which compilers
//   warn about inside a comment;
// - a "??/" at the end of a line or of the text becomes "?? /", so that it
//   joins no lines (and draws no trigraph warning).
// - a bidirectional control character (U+202A to U+202E, U+2066 to U+2069,
//   U+200E, U+200F, U+061C) is written as its code point, "<U+202E>": it
//   would make the source read otherwise than it compiles, which compilers
//   warn about.
// A backslash that joins lines is kept: inside a comment that only joins
// comment text. Everything else stays as it is.
std::string commentSafe(const std::string& text);

// The same as a piece of a written line: a view of the text itself when it
// needs no change (nearly always), so that nothing is copied. It must not
// outlive the text; it is meant to be made right where the line is written.
class CommentSafeText {
 public:
  explicit CommentSafeText(const std::string& text);
  CommentSafeText(const CommentSafeText&) = delete;
  CommentSafeText& operator=(const CommentSafeText&) = delete;
  operator std::string_view() const { return view_; }

 private:
  std::string changed_;  // only when the text needs a change
  std::string_view view_;
};

// The value in lower-case hexadecimal, padded with zeros to at least
// minDigits digits, as "%0<minDigits>x" writes it (without "0x").
std::string hexDigits(uint64_t value, int minDigits = 1);

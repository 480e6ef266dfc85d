#include "input/sources/SheetRowScanner.h"

#include "input/sources/XmlBytes.h"

namespace {

using xmlbytes::is;
using xmlbytes::kBlank;
using xmlbytes::kTextStop;
using xmlbytes::kValueStop;

// Scans within [p, end). Every method returns false when the text is not
// one of the plain forms; `short_` then tells whether it merely ended early.
class Cursor {
 public:
  Cursor(const char* begin, const char* end) : begin_(begin), p_(begin), end_(end) {}

  bool atEnd() const { return p_ >= end_; }
  bool endedEarly() const { return short_; }
  std::size_t offset() const { return static_cast<std::size_t>(p_ - begin_); }

  void skipBlanks() {
    while (p_ < end_ && is(*p_, kBlank)) ++p_;
  }

  // "<" name, where name is exactly `expected` (no prefix).
  bool startTag(std::string_view expected) {
    if (!has(1 + expected.size() + 1)) return false;
    if (p_[0] != '<' || std::string_view(p_ + 1, expected.size()) != expected ||
        !isNameEnd(p_[1 + expected.size()])) {
      return false;
    }
    p_ += 1 + expected.size();
    return true;
  }

  // Peeks at the name of the start tag at the cursor: true when it is one
  // of a cell's children, named in which.
  bool peekContent(char& which) {
    if (!has(3)) return false;
    if (p_[0] != '<') return false;
    if ((p_[1] == 'v' || p_[1] == 'f') && isNameEnd(p_[2])) {
      which = p_[1];
      return true;
    }
    if (!has(4)) return false;
    if (p_[1] == 'i' && p_[2] == 's' && isNameEnd(p_[3])) {
      which = 'i';
      return true;
    }
    return false;
  }

  // The attributes after a start tag's name up to and including ">" or
  // "/>", the same syntax the general reader accepts. The first r, s and t
  // (by local name) are kept when wanted; a value needing decoding is
  // declined.
  bool attributes(SheetRowStep* keep, bool& selfClosing) {
    for (;;) {
      skipBlanks();
      if (!has(1)) return false;
      if (*p_ == '>') {
        ++p_;
        selfClosing = false;
        return true;
      }
      if (*p_ == '/') {
        if (!has(2)) return false;
        if (p_[1] != '>') return false;
        p_ += 2;
        selfClosing = true;
        return true;
      }
      const char* const nameStart = p_;
      while (p_ < end_ && !isNameEnd(*p_)) ++p_;
      if (!has(1) || p_ == nameStart) return false;
      const std::string_view name =
          xmlbytes::localName(std::string_view(nameStart, static_cast<std::size_t>(p_ - nameStart)));
      skipBlanks();
      if (!has(1) || *p_ != '=') return false;
      ++p_;
      skipBlanks();
      if (!has(1) || (*p_ != '"' && *p_ != '\'')) return false;
      const char quote = *p_++;
      const char* const valueStart = p_;
      for (;;) {
        while (p_ < end_ && !is(*p_, kValueStop)) ++p_;
        if (!has(1)) return false;
        if (*p_ == quote) break;
        // The other quote is part of the value; "<" is an error, and the
        // rest would need decoding.
        if (*p_ != '"' && *p_ != '\'') return false;
        ++p_;
      }
      const std::string_view value(valueStart, static_cast<std::size_t>(p_ - valueStart));
      ++p_;
      if (keep != nullptr && name.size() == 1) {
        if (name[0] == 'r' && !keep->hasR) {
          keep->hasR = true;
          keep->r = value;
        } else if (name[0] == 's' && !keep->hasS) {
          keep->hasS = true;
          keep->s = value;
        } else if (name[0] == 't' && !keep->hasT) {
          keep->hasT = true;
          keep->t = value;
        }
      }
    }
  }

  // Text up to the next "<"; declined when it holds "&" or CR.
  bool text(std::string_view& text) {
    const char* const start = p_;
    while (p_ < end_ && !is(*p_, kTextStop)) ++p_;
    if (!has(1) || *p_ != '<') return false;
    text = std::string_view(start, static_cast<std::size_t>(p_ - start));
    return true;
  }

  // "</" name blank* ">". Callers also use it to test for the end of an
  // element, so the cursor only moves when it matches.
  bool endTag(std::string_view name) {
    if (!has(2 + name.size())) return false;
    if (p_[0] != '<' || p_[1] != '/' || std::string_view(p_ + 2, name.size()) != name) return false;
    const char* const start = p_;
    p_ += 2 + name.size();
    skipBlanks();
    if (!has(1) || *p_ != '>') {
      p_ = start;
      return false;
    }
    ++p_;
    return true;
  }

 private:
  static bool isNameEnd(char c) { return is(c, xmlbytes::kNameEnd); }
  // Whether n more bytes are in the window; notes when they are not.
  bool has(std::size_t n) {
    if (static_cast<std::size_t>(end_ - p_) >= n) return true;
    short_ = true;
    return false;
  }

  const char* begin_;
  const char* p_;
  const char* end_;
  bool short_ = false;
};

// One element of a cell's content (at the cursor, known to be <v>, <f> or
// <is>), with the value steps it gives.
bool scanContent(Cursor& cursor, char which, std::vector<SheetRowStep>& steps) {
  bool selfClosing = false;
  if (which == 'v' || which == 'f') {
    const std::string_view name = which == 'v' ? "v" : "f";
    if (!cursor.startTag(name) || !cursor.attributes(nullptr, selfClosing)) return false;
    if (selfClosing) return true;
    std::string_view text;
    if (!cursor.text(text) || !cursor.endTag(name)) return false;
    // A formula's text is never part of the cell's value.
    if (which == 'v' && !text.empty()) {
      SheetRowStep step;
      step.kind = SheetRowStep::Kind::value;
      step.text = text;
      steps.push_back(step);
    }
    return true;
  }
  if (!cursor.startTag("is") || !cursor.attributes(nullptr, selfClosing)) return false;
  if (selfClosing) return true;
  for (;;) {
    cursor.skipBlanks();
    if (cursor.endTag("is")) return true;
    if (cursor.endedEarly() || !cursor.startTag("t") || !cursor.attributes(nullptr, selfClosing)) return false;
    if (selfClosing) continue;
    std::string_view text;
    if (!cursor.text(text) || !cursor.endTag("t")) return false;
    // Blanks at its ends go or stay by its xml:space: the general reader
    // decides.
    if (!text.empty() && (is(text.front(), xmlbytes::kBlank) || is(text.back(), xmlbytes::kBlank))) return false;
    if (!text.empty()) {
      SheetRowStep step;
      step.kind = SheetRowStep::Kind::value;
      step.text = text;
      step.inlineText = true;
      steps.push_back(step);
    }
  }
}

bool scanCell(Cursor& cursor, std::vector<SheetRowStep>& steps) {
  SheetRowStep start;
  start.kind = SheetRowStep::Kind::cellStart;
  bool selfClosing = false;
  if (!cursor.startTag("c") || !cursor.attributes(&start, selfClosing)) return false;
  steps.push_back(start);
  if (!selfClosing) {
    for (;;) {
      cursor.skipBlanks();
      if (cursor.endTag("c")) break;
      char which = 0;
      if (cursor.endedEarly() || !cursor.peekContent(which) || !scanContent(cursor, which, steps)) return false;
    }
  }
  SheetRowStep end;
  end.kind = SheetRowStep::Kind::cellEnd;
  steps.push_back(end);
  return true;
}

}  // namespace

RowScan scanSheetRow(std::string_view window, std::size_t& length, std::vector<SheetRowStep>& steps) {
  steps.clear();
  Cursor cursor(window.data(), window.data() + window.size());
  const auto refuse = [&cursor] { return cursor.endedEarly() ? RowScan::needMore : RowScan::declined; };
  cursor.skipBlanks();
  SheetRowStep start;
  start.kind = SheetRowStep::Kind::rowStart;
  bool selfClosing = false;
  if (!cursor.startTag("row") || !cursor.attributes(&start, selfClosing)) return refuse();
  steps.push_back(start);
  if (!selfClosing) {
    for (;;) {
      cursor.skipBlanks();
      if (cursor.endTag("row")) break;
      if (cursor.endedEarly() || !scanCell(cursor, steps)) return refuse();
    }
  }
  SheetRowStep end;
  end.kind = SheetRowStep::Kind::rowEnd;
  steps.push_back(end);
  length = cursor.offset();
  return RowScan::row;
}

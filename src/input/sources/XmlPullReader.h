// A pull reader for large XML parts: walks the document event by event
// without building a tree, reading it through a small window, so a sheet
// part costs its cells and not its size. It checks what a truncated or
// damaged part breaks (tag nesting, attribute syntax, references) and knows
// only the predefined entities and character references; the entities of a
// document type are not expanded.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class XmlPullReader {
 public:
  enum class Event { startElement, endElement, text, end, error };

  // Fills buffer with the next bytes of the document and returns how many
  // (0 at its end, negative when it cannot be read).
  using Source = std::function<long long(char* buffer, std::size_t size)>;

  // Elements nest no deeper than this; deeper documents are an error.
  static constexpr std::size_t kMaxDepth = 256;

  // A document held in memory; it must outlive the reader.
  explicit XmlPullReader(std::string_view document);
  // A document read piece by piece from source.
  explicit XmlPullReader(Source source);

  // The next event. After end or error it keeps returning the same.
  Event next();

  // Of the current start or end element: the name without namespace prefix.
  std::string_view name() const { return localName_; }
  // Of the current start element: the value of the attribute with this
  // local name, references replaced. False when it has none.
  bool attribute(std::string_view localName, std::string& value) const;
  // The same as a view, valid until the next call of attribute or next.
  bool attribute(std::string_view localName, std::string_view& value) const;
  // Of the current text event: the characters, references replaced and
  // line ends made "\n". Valid until the next event.
  std::string_view text() const { return text_; }

  // For a scanner that reads runs of plain elements itself, between events:
  // True when the scanner may take over: the reader is not failed and owes
  // no end of a self-closing element.
  bool canHandOver() const { return started_ && !failed_ && !pendingEnd_; }
  // The bytes of the document not read yet that the reader holds.
  std::string_view unread() const { return data_.substr(pos_); }
  // Reads on, keeping the unread bytes: false at the end of the document or
  // when it cannot be read (the next event then tells which).
  bool readMore() { return refill(); }
  // Takes the first `bytes` of unread() as read. They must be whole
  // elements and blanks, so the nesting the reader checks is unchanged.
  void skip(std::size_t bytes) { pos_ += bytes; }
  // How many elements are open.
  std::size_t depth() const { return depth_; }
  // The bytes handled more than once so far: a construct that goes on past
  // the bytes at hand is read again from its start once more have come, and
  // the names of open elements are copied aside before a refill. Reading
  // takes time in proportion to the document's size while this stays below
  // a small multiple of that size.
  std::size_t extraBytes() const { return extraBytes_; }

 private:
  enum class Step { done, needMore, error };

  Event fail();
  bool refill();
  void checkStart();
  Step readText(bool& skipped);
  Step readMarkup(Event& event, bool& skipped);
  Step readStartTag();
  Step readEndTag();
  bool appendDecoded(std::string_view raw, std::string& out) const;

  Source source_;
  std::string storage_;    // the window of a streamed document; data_ is its filled part
  std::size_t window_ = 0;  // its size at the last refill
  std::string_view data_;  // the bytes available: [pos_, data_.size())
  std::size_t pos_ = 0;
  std::size_t extraBytes_ = 0;
  bool sourceDone_ = true;
  bool started_ = false;
  bool checkNul_ = false;  // set once the encoding is known
  bool failed_ = false;
  bool pendingEnd_ = false;  // a self-closing element still owes its end
  void pinOpenNames();

  // Names of the open elements: the first depth_. The first pinnedDepth_
  // point into their slots of pinned_, the others into the window.
  std::vector<std::string_view> open_;
  std::vector<std::string> pinned_;
  std::size_t pinnedDepth_ = 0;
  std::size_t depth_ = 0;
  std::string_view localName_;
  std::vector<std::pair<std::string_view, std::string_view>> attributes_;  // local name, raw value
  std::string decoded_;
  mutable std::string decodedAttribute_;
  std::string_view text_;
};

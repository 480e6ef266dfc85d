#include "input/sources/XmlPullReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "input/sources/XmlBytes.h"
#include "input/sources/XmlPart.h"

namespace {

// The window starts small, since most parts of a document are small, and
// doubles with every refill up to its full size.
const std::size_t kFirstWindow = 16 * 1024;
const std::size_t kWindow = 256 * 1024;

using xmlbytes::is;
using xmlbytes::kAttributeSpecial;
using xmlbytes::localName;
using xmlbytes::kNameEnd;
using xmlbytes::kTextSpecial;

bool isSpace(char c) { return is(c, xmlbytes::kBlank); }

// Names are mostly one or two characters: comparing the first character
// inline settles most comparisons without a call.
inline bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || (a[0] == b[0] && std::memcmp(a.data(), b.data(), a.size()) == 0));
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Whether text holds a character that needs decoding: a reference or a
// carriage return, and in attribute values also a tab or line feed. (A plain
// loop: find_first_of searches the set once per character.)
bool needsDecoding(std::string_view text, bool attributeValue) {
  const uint8_t special = attributeValue ? kAttributeSpecial : kTextSpecial;
  for (char c : text) {
    if (is(c, special)) return true;
  }
  return false;
}

// UTF-16 after its byte order mark, to UTF-8.
std::string utf16ToUtf8(std::string_view data, bool bigEndian) {
  std::string out;
  out.reserve(data.size() / 2);
  uint32_t pendingHigh = 0;
  for (std::size_t i = 2; i + 1 < data.size(); i += 2) {
    const uint32_t a = static_cast<uint8_t>(data[i]);
    const uint32_t b = static_cast<uint8_t>(data[i + 1]);
    const uint32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      pendingHigh = unit;
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      if (pendingHigh != 0) appendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
      pendingHigh = 0;
      continue;
    }
    pendingHigh = 0;
    if (unit == 0) {
      out += '\0';  // kept, so that the document is refused
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace

XmlPullReader::XmlPullReader(std::string_view document) : data_(document) {}

XmlPullReader::XmlPullReader(Source source) : source_(std::move(source)), sourceDone_(false) {}

XmlPullReader::Event XmlPullReader::fail() {
  failed_ = true;
  return Event::error;
}

void XmlPullReader::pinOpenNames() {
  // The names of the open elements point into the window, which refilling
  // overwrites: the names opened since the last refill are copied aside
  // first, each into the slot of its depth. A name is copied once, however
  // long its element stays open.
  if (pinned_.empty()) pinned_.resize(kMaxDepth);  // never again: the names point into the slots
  for (std::size_t i = pinnedDepth_; i < depth_; ++i) {
    pinned_[i].assign(open_[i]);
    extraBytes_ += open_[i].size();
    open_[i] = pinned_[i];
  }
  pinnedDepth_ = depth_;
}

bool XmlPullReader::refill() {
  if (sourceDone_ || failed_) return false;
  pinOpenNames();
  // Keep what is not read yet; grow the window when that fills it.
  const std::size_t kept = data_.size() - pos_;
  if (kept > 0 && pos_ > 0) std::memmove(&storage_[0], storage_.data() + pos_, kept);
  pos_ = 0;
  window_ = window_ == 0 ? kFirstWindow : std::min(kWindow, 2 * window_);
  const std::size_t room = std::max(window_, kept);
  // The storage only grows; what lies beyond data_ is room, not content.
  if (storage_.size() < kept + room) storage_.resize(kept + room);
  // What is kept is a construct that did not fit, and it is read again from
  // its start. A source may hand out less than asked for (a zip entry comes
  // a chunk at a time), so it is asked until at least as much again as was
  // kept has come: the data then doubles from one try to the next, and a
  // long construct costs time in proportion to its length, not its square.
  std::size_t got = 0;
  do {
    const long long piece = source_(&storage_[kept + got], room - got);
    if (piece < 0) {
      failed_ = true;
      return false;
    }
    if (piece == 0) {
      sourceDone_ = true;
      break;
    }
    got += static_cast<std::size_t>(piece);
  } while (got < kept);
  data_ = std::string_view(storage_.data(), kept + got);
  if (got == 0) return false;
  // A NUL byte cannot be part of an XML document.
  if (checkNul_ && std::memchr(storage_.data() + kept, '\0', got) != nullptr) {
    failed_ = true;
    return false;
  }
  return true;
}

void XmlPullReader::checkStart() {
  started_ = true;
  while (data_.size() - pos_ < 3 && refill()) {
  }
  if (failed_) return;
  const std::string_view head = data_.substr(pos_);
  if (head.size() >= 2 && ((head[0] == '\xFF' && head[1] == '\xFE') || (head[0] == '\xFE' && head[1] == '\xFF'))) {
    // UTF-16: the whole document is read and converted first. The byte
    // order is taken now: refilling moves the buffer head points into.
    const bool bigEndian = head[0] == '\xFE';
    std::string whole(head);
    pos_ = data_.size();
    while (refill()) {
      whole.append(data_.substr(pos_));
      pos_ = data_.size();
    }
    if (failed_) return;
    storage_ = utf16ToUtf8(whole, bigEndian);
    source_ = nullptr;
    sourceDone_ = true;
    data_ = storage_;
    pos_ = 0;
  } else if (startsWith(head, "\xEF\xBB\xBF")) {
    pos_ += 3;
  }
  // A NUL byte cannot be part of an XML document.
  checkNul_ = true;
  if (data_.find('\0', pos_) != std::string_view::npos) failed_ = true;
}

XmlPullReader::Event XmlPullReader::next() {
  if (!started_) checkStart();
  if (failed_) return Event::error;
  if (pendingEnd_) {
    pendingEnd_ = false;
    localName_ = localName(open_[--depth_]);
    return Event::endElement;
  }
  for (;;) {
    if (pos_ >= data_.size() && !refill()) {
      if (failed_) return Event::error;
      return depth_ == 0 ? Event::end : fail();
    }
    Event event = Event::text;
    bool skipped = false;
    const Step step = data_[pos_] == '<' ? readMarkup(event, skipped) : readText(skipped);
    if (step == Step::error) return fail();
    if (step == Step::needMore) {
      // Read on and try again; at the end of the document the step decides
      // with what there is.
      extraBytes_ += data_.size() - pos_;
      if (!refill() && failed_) return Event::error;
      continue;
    }
    if (!skipped) return event;
  }
}

XmlPullReader::Step XmlPullReader::readText(bool& skipped) {
  std::size_t stop = data_.find('<', pos_);
  if (stop == std::string_view::npos) {
    if (!sourceDone_) return Step::needMore;
    stop = data_.size();
  }
  const std::string_view raw = data_.substr(pos_, stop - pos_);
  pos_ = stop;
  if (!needsDecoding(raw, false)) {
    text_ = raw;
  } else {
    decoded_.clear();
    if (!appendDecoded(raw, decoded_)) return Step::error;
    text_ = decoded_;
  }
  if (depth_ == 0) {
    // Only blanks may stand outside the document element.
    for (char c : text_) {
      if (!isSpace(c)) return Step::error;
    }
    skipped = true;
  }
  return Step::done;
}

XmlPullReader::Step XmlPullReader::readMarkup(Event& event, bool& skipped) {
  const std::string_view rest = data_.substr(pos_);
  if (rest.size() < 2) return sourceDone_ ? Step::error : Step::needMore;
  skipped = false;
  if (rest[1] == '/') {
    event = Event::endElement;
    return readEndTag();
  }
  if (rest[1] != '!' && rest[1] != '?') {
    event = Event::startElement;
    return readStartTag();
  }
  if (rest.size() < 9 && !sourceDone_) return Step::needMore;  // enough to tell the kinds apart
  auto skipPast = [this](std::size_t from, std::string_view terminator) {
    const std::size_t found = data_.find(terminator, from);
    if (found == std::string_view::npos) return sourceDone_ ? Step::error : Step::needMore;
    pos_ = found + terminator.size();
    return Step::done;
  };
  skipped = true;
  if (startsWith(rest, "<!--")) return skipPast(pos_ + 4, "-->");
  if (startsWith(rest, "<?")) return skipPast(pos_ + 2, "?>");
  if (startsWith(rest, "<!DOCTYPE")) {
    // Skipped whole, an internal subset in brackets included.
    int brackets = 0;
    for (std::size_t p = pos_ + 9; p < data_.size(); ++p) {
      const char c = data_[p];
      if (c == '[') ++brackets;
      if (c == ']') --brackets;
      if (c == '>' && brackets <= 0) {
        pos_ = p + 1;
        return Step::done;
      }
    }
    return sourceDone_ ? Step::error : Step::needMore;
  }
  if (startsWith(rest, "<![CDATA[")) {
    const std::size_t close = data_.find("]]>", pos_ + 9);
    if (close == std::string_view::npos) return sourceDone_ ? Step::error : Step::needMore;
    if (depth_ == 0) return Step::error;
    decoded_.clear();
    for (std::size_t i = pos_ + 9; i < close; ++i) {
      if (data_[i] == '\r') {
        decoded_ += '\n';
        if (i + 1 < close && data_[i + 1] == '\n') ++i;
      } else {
        decoded_ += data_[i];
      }
    }
    pos_ = close + 3;
    text_ = decoded_;
    skipped = text_.empty();
    event = Event::text;
    return Step::done;
  }
  return Step::error;
}

XmlPullReader::Step XmlPullReader::readStartTag() {
  const Step more = sourceDone_ ? Step::error : Step::needMore;
  attributes_.clear();
  const char* const end = data_.data() + data_.size();
  const char* p = data_.data() + pos_ + 1;
  const char* const nameStart = p;
  while (p < end && !is(*p, kNameEnd)) ++p;
  if (p >= end) return more;
  if (p == nameStart) return Step::error;
  const std::string_view qualified(nameStart, static_cast<std::size_t>(p - nameStart));
  bool selfClosing = false;
  for (;;) {
    while (p < end && isSpace(*p)) ++p;
    if (p >= end) return more;
    if (*p == '>') {
      ++p;
      break;
    }
    if (*p == '/') {
      if (p + 1 >= end) return more;
      if (p[1] != '>') return Step::error;
      p += 2;
      selfClosing = true;
      break;
    }
    const char* const attributeStart = p;
    while (p < end && !is(*p, kNameEnd)) ++p;
    if (p >= end) return more;
    if (p == attributeStart) return Step::error;
    const std::string_view attributeName(attributeStart, static_cast<std::size_t>(p - attributeStart));
    while (p < end && isSpace(*p)) ++p;
    if (p >= end) return more;
    if (*p != '=') return Step::error;
    ++p;
    while (p < end && isSpace(*p)) ++p;
    if (p >= end) return more;
    if (*p != '"' && *p != '\'') return Step::error;
    const char quote = *p++;
    // One pass to the closing quote (values are short): a "<" on the way
    // is an error.
    const char* close = p;
    while (close < end && *close != quote) {
      if (*close == '<') return Step::error;
      ++close;
    }
    if (close >= end) return more;
    attributes_.emplace_back(localName(attributeName), std::string_view(p, static_cast<std::size_t>(close - p)));
    p = close + 1;
  }
  if (depth_ >= kMaxDepth) return Step::error;
  pos_ = static_cast<std::size_t>(p - data_.data());
  // The name stays in the window until the next refill, which pins it.
  if (depth_ == open_.size()) open_.emplace_back();
  open_[depth_] = qualified;
  pinnedDepth_ = std::min(pinnedDepth_, depth_);
  ++depth_;
  pendingEnd_ = selfClosing;
  localName_ = localName(qualified);
  return Step::done;
}

XmlPullReader::Step XmlPullReader::readEndTag() {
  const char* const end = data_.data() + data_.size();
  const char* p = data_.data() + pos_ + 2;
  const char* const nameStart = p;
  while (p < end && !is(*p, kNameEnd)) ++p;
  const std::string_view qualified(nameStart, static_cast<std::size_t>(p - nameStart));
  while (p < end && isSpace(*p)) ++p;
  if (p >= end) return sourceDone_ ? Step::error : Step::needMore;
  if (*p != '>' || depth_ == 0 || !sameName(open_[depth_ - 1], qualified)) return Step::error;
  --depth_;
  localName_ = localName(open_[depth_]);
  pos_ = static_cast<std::size_t>(p + 1 - data_.data());
  return Step::done;
}

bool XmlPullReader::attribute(std::string_view localName, std::string_view& value) const {
  for (const auto& attribute : attributes_) {
    if (!sameName(attribute.first, localName)) continue;
    if (!needsDecoding(attribute.second, true)) {
      value = attribute.second;
      return true;
    }
    decodedAttribute_.clear();
    if (!appendDecoded(attribute.second, decodedAttribute_)) return false;
    for (char& c : decodedAttribute_) {
      if (c == '\t' || c == '\n') c = ' ';  // attribute values keep no line structure
    }
    value = decodedAttribute_;
    return true;
  }
  return false;
}

bool XmlPullReader::attribute(std::string_view localName, std::string& value) const {
  std::string_view view;
  if (!attribute(localName, view)) return false;
  value.assign(view);
  return true;
}

bool XmlPullReader::appendDecoded(std::string_view raw, std::string& out) const {
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::size_t special = raw.find_first_of("&\r", i);
    if (special == std::string_view::npos) {
      out.append(raw.data() + i, raw.size() - i);
      return true;
    }
    out.append(raw.data() + i, special - i);
    i = special;
    if (raw[i] == '\r') {
      out += '\n';
      i += (i + 1 < raw.size() && raw[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    const std::size_t semicolon = raw.find(';', i);
    if (semicolon == std::string_view::npos || semicolon - i > 12) return false;
    const std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
    i = semicolon + 1;
    if (entity == "lt") {
      out += '<';
    } else if (entity == "gt") {
      out += '>';
    } else if (entity == "amp") {
      out += '&';
    } else if (entity == "quot") {
      out += '"';
    } else if (entity == "apos") {
      out += '\'';
    } else if (entity.size() >= 2 && entity[0] == '#') {
      const bool hex = entity[1] == 'x';
      const std::string_view digits = entity.substr(hex ? 2 : 1);
      if (digits.empty()) return false;
      uint32_t code = 0;
      for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) return false;
        code = code * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        if (code > 0x10FFFF) return false;
      }
      appendUtf8(out, code);  // leaves out NUL and what is not a character
    } else {
      return false;
    }
  }
  return true;
}

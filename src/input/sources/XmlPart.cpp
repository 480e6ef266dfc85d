#include "input/sources/XmlPart.h"

#include <algorithm>
#include <climits>

#include "input/sources/XmlPullReader.h"

ZipArchive::Status readXmlPart(
    const ZipArchive& zip, const std::string& part,
    const std::function<void(const XmlPullReader& reader, const std::vector<std::string>& path)>& onElement) {
  // These parts are small: read whole, they are parsed without a window.
  std::string bytes;
  const ZipArchive::Status status = zip.read(part, bytes);
  if (status != ZipArchive::Status::ok) return status;
  XmlPullReader reader{std::string_view(bytes)};
  std::vector<std::string> path;
  bool hasElement = false;
  for (;;) {
    switch (reader.next()) {
      case XmlPullReader::Event::startElement:
        hasElement = true;
        path.emplace_back(reader.name());
        onElement(reader, path);
        break;
      case XmlPullReader::Event::endElement:
        path.pop_back();
        break;
      case XmlPullReader::Event::text:
        break;
      case XmlPullReader::Event::end:
        return hasElement ? ZipArchive::Status::ok : ZipArchive::Status::damaged;
      case XmlPullReader::Event::error:
        return ZipArchive::Status::damaged;
    }
  }
}

int xmlIntValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] | 0x20) == 'x') {
    base = 16;
    i += 2;
  }
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = static_cast<char>(text[i] | (text[i] >= 'A' ? 0x20 : 0));
    const unsigned digit = c >= '0' && c <= '9' ? static_cast<unsigned>(c - '0')
                           : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10) : 99;
    if (digit >= base) break;
    value = std::min<long long>(value * base + digit, static_cast<long long>(INT_MAX) + 1);
  }
  if (negative) value = -value;
  return static_cast<int>(std::max<long long>(std::min<long long>(value, INT_MAX), INT_MIN));
}

void appendUtf8(std::string& text, uint32_t codePoint) {
  if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return;
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | (codePoint >> 6));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    text += static_cast<char>(0xE0 | (codePoint >> 12));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (codePoint >> 18));
    text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

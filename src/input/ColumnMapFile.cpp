#include "input/ColumnMapFile.h"

#include <cstdint>
#include <fstream>

#include "util/FileRead.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

const char kSection[] = "xlsimport";
// A column map is a few hundred bytes; a file beyond this is no column map.
const std::streamoff kMaxFileBytes = 16 << 20;
// The profile reader reads a value into a buffer of 30 characters, the
// terminating NUL included.
const std::size_t kValueBuffer = 30;

bool isProfileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string trimmed(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && isProfileBlank(text[begin])) ++begin;
  while (end > begin && isProfileBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Names and values are C strings to the profile reader: a NUL ends them.
std::string cutAtNul(std::string text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

// UTF-16 text (after its byte order mark) as bytes: ASCII stays, every
// other character becomes a byte that is neither a blank nor a digit nor
// part of any name asked for.
std::string narrowUtf16(const std::string& bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const unsigned low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    text += high == 0 && low < 0x80 ? static_cast<char>(low) : '\x80';
  }
  return text;
}

// The value as the profile reader hands it over: one pair of matching
// quotes dropped, cut to its buffer. The quotes are dropped from what fits
// the buffer, and only when the value with its closing quote fits.
std::string bufferText(const std::string& text) {
  const char quote = text.empty() ? '\0' : text[0];
  if ((quote == '"' || quote == '\'') && text.size() > 1 && text.back() == quote) {
    const std::string rest = text.substr(1);
    std::string value = rest.substr(0, kValueBuffer - 1);
    if (rest.size() <= kValueBuffer) value.pop_back();
    return value;
  }
  return text.substr(0, kValueBuffer - 1);
}

int bufferInt(const std::string& value) {
  std::size_t i = 0;
  const std::size_t n = value.size();
  while (i < n && static_cast<unsigned char>(value[i]) <= ' ') ++i;
  bool negative = false;
  if (i < n && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  unsigned base = 10;
  if (i + 1 < n && value[i] == '0') {
    const char prefix = value[i + 1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  uint32_t result = 0;
  for (; i < n; ++i) {
    const char c = value[i];
    const unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                           : c >= 'a' && c <= 'z' ? static_cast<unsigned>(c - 'a' + 10)
                           : c >= 'A' && c <= 'Z' ? static_cast<unsigned>(c - 'A' + 10)
                                                  : 99;
    if (digit >= base) break;
    result = result * base + digit;  // wraps around, as the profile reader's does
  }
  if (negative) result = 0u - result;
  return static_cast<int>(static_cast<int32_t>(result));
}

}  // namespace

void ColumnMapFile::load(const std::string& path) {
  std::string bytes;
  std::ifstream in(fileSystemPath(path), std::ios::binary);
  if (!in) throwIfOpenLackedMemory();
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (in && size > 0 && size <= kMaxFileBytes) {
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(&bytes[0], size)) bytes.clear();
  }
  parse(bytes);
}

void ColumnMapFile::parse(const std::string& bytes) {
  entries_.clear();
  hasEntries_ = false;
  std::string text;
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    text = narrowUtf16(bytes, bytes[0] == '\xFE');
  } else {
    text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  }
  bool inSection = false;
  bool sectionSeen = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = trimmed(text, start, end);
    start = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string::npos && close > 0) {
      const std::string name = cutAtNul(trimmed(line, 1, close));
      // Only the first section of the name counts.
      inSection = !sectionSeen && toLowerAscii(name) == kSection;
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    Entry entry;
    entry.hasValue = equals != std::string::npos;
    if (entry.hasValue) entry.value = cutAtNul(trimmed(line, equals + 1, line.size()));
    const std::string name = toLowerAscii(cutAtNul(trimmed(line, 0, equals == std::string::npos ? line.size() : equals)));
    if (entry.hasValue && name[0] != ';' && name[0] != '#') hasEntries_ = true;
    entries_.emplace(name, std::move(entry));  // the first of repeated keys counts
  }
}

int ColumnMapFile::value(const std::string& key, int missing) const {
  const auto found = entries_.find(toLowerAscii(key));
  if (found == entries_.end() || !found->second.hasValue) return missing;
  const std::string text = bufferText(found->second.value);
  return text.empty() ? missing : bufferInt(text);
}

int profileIntValue(const std::string& text) { return bufferInt(bufferText(text)); }

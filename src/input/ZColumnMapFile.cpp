#include "input/ZColumnMapFile.h"

#include <ini.h>

#include <climits>
#include <cstdint>

#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

const char kSection[] = "xlsimport";

int onEntry(void* user, const char* section, const char* name, const char* value) {
  auto* values = static_cast<std::map<std::string, std::string>*>(user);
  if (toLowerAscii(section) == kSection) values->emplace(toLowerAscii(name), value);
  return 1;  // go on with the next line whatever happened
}

}  // namespace

void ZColumnMapFile::load(const std::string& path) {
  values_.clear();
  ini_parse(nativePath(path).c_str(), onEntry, &values_);
}

int ZColumnMapFile::value(const std::string& key) const {
  const auto found = values_.find(toLowerAscii(key));
  return found == values_.end() ? 0 : profileIntValue(found->second);
}

int profileIntValue(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT_MAX) + 1) value = static_cast<int64_t>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

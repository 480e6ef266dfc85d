#include "database/DatabaseText.h"

#include <algorithm>
#include <unordered_set>

#include "util/StringFormat.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Sections that come after the environment variables in a database file.
const std::unordered_set<std::string>& keywordsAfterVariables() {
  static const std::unordered_set<std::string> keywords = {
      "ENVVAR_DATA_", "EV_DATA_",    "SGTYPE_",         "SGTYPE_VAL_",   "CM_",           "BA_DEF_",
      "BA_DEF_SGTYPE_", "BA_DEF_REL_", "BA_DEF_DEF_",   "BA_DEF_DEF_REL_", "BA_",         "BA_SGTYPE_",
      "BA_REL_",      "VAL_",        "CAT_DEF_",        "CAT_",          "FILTER",        "SIG_TYPE_REF_",
      "SIG_GROUP_",   "SIG_VALTYPE_", "SIGTYPE_VALTYPE_", "SG_MUL_VAL_"};
  return keywords;
}

// Every keyword a statement of the format starts with. A file with a
// statement that starts otherwise is some other text (a source file given
// by mistake, say) and must not be taken as a database and written to.
const std::unordered_set<std::string>& formatKeywords() {
  static const std::unordered_set<std::string> keywords = {
      "VERSION",     "NS_",          "NS_DESC_",      "CM_",          "BA_DEF_",          "BA_",
      "VAL_",        "CAT_DEF_",     "CAT_",          "FILTER",       "BA_DEF_DEF_",      "EV_DATA_",
      "ENVVAR_DATA_", "SGTYPE_",     "SGTYPE_VAL_",   "BA_DEF_SGTYPE_", "BA_SGTYPE_",     "SIG_TYPE_REF_",
      "VAL_TABLE_",  "SIG_GROUP_",   "SIG_VALTYPE_",  "SIGTYPE_VALTYPE_", "BO_TX_BU_",      "BA_DEF_REL_",
      "BA_REL_",     "BA_DEF_DEF_REL_", "BU_SG_REL_", "BU_EV_REL_",   "BU_BO_REL_",       "SG_MUL_VAL_",
      "BS_",         "BU_",          "BO_",           "SG_",          "EV_"};
  return keywords;
}

// Sections that come before the environment variables in a database file.
bool precedesVariables(const std::string& keyword) {
  static const std::unordered_set<std::string> keywords = {
      "VERSION", "NS_", "BS_", "BU_", "VAL_TABLE_", "BO_", "SG_", "BO_TX_BU_"};
  return keywords.count(keyword) != 0;
}

// Sections that come after the node list.
bool followsNodeList(const std::string& keyword) {
  return keyword == "VAL_TABLE_" || keyword == "BO_" || keyword == "BO_TX_BU_" || keyword == "EV_" ||
         keywordsAfterVariables().count(keyword) != 0;
}

// Whether a quoted string is still open at the end of the line, given
// whether one was open at its start; opened tells whether the string open
// at the end started in this line.
bool insideStringAfter(std::string_view line, bool inside, bool& opened) {
  opened = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      inside = !inside;
      opened = inside;
    } else if (inside && line[i] == '\\') {
      ++i;
    }
  }
  return inside;
}

bool isCommentLine(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  return start != std::string_view::npos && line.compare(start, 2, "//") == 0;
}

// A piece of the file as a reason shows it: at most 40 bytes (then "...",
// not cutting a UTF-8 character), control characters as \xNN.
std::string shown(std::string_view text) {
  constexpr std::size_t kLongest = 40;
  std::size_t length = text.size();
  if (length > kLongest) {
    length = kLongest;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::string result;
  for (std::size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    result += c < 0x20 || c == 0x7F ? strFormat("\\x%02X", c) : std::string(1, text[i]);
  }
  return length < text.size() ? result + "..." : result;
}

}  // namespace

bool DatabaseText::read(std::string bytes, std::string& errorText) {
  *this = DatabaseText();
  bytes_ = std::move(bytes);
  const std::size_t nul = bytes_.find('\0');
  if (nul != std::string::npos) {
    const auto lineNumber = 1 + std::count(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(nul), '\n');
    errorText = strFormat("line %d: a NUL byte, which no text file holds", static_cast<int>(lineNumber));
    return false;
  }
  const std::size_t firstLineFeed = bytes_.find('\n');
  usesCrLf_ = firstLineFeed == std::string::npos || (firstLineFeed > 0 && bytes_[firstLineFeed - 1] == '\r');

  const char kByteOrderMark[] = "\xEF\xBB\xBF";
  textStart_ = bytes_.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;

  bool insideString = false;
  int stringStartLine = 0;
  int lineNumber = 1;
  std::size_t lineStart = textStart_;
  while (lineStart < bytes_.size()) {
    const std::size_t lineFeed = bytes_.find('\n', lineStart);
    const std::size_t nextLine = lineFeed == std::string::npos ? bytes_.size() : lineFeed + 1;
    std::size_t lineEnd = lineFeed == std::string::npos ? bytes_.size() : lineFeed;
    if (lineEnd > lineStart && bytes_[lineEnd - 1] == '\r') --lineEnd;
    const std::string_view line(bytes_.data() + lineStart, lineEnd - lineStart);
    const bool comment = !insideString && isCommentLine(line);
    if (!insideString && !comment && !readStatement(line, lineStart, nextLine, lineNumber, errorText)) return false;
    bool opened = false;
    if (!comment) insideString = insideStringAfter(line, insideString, opened);
    if (opened) stringStartLine = lineNumber;
    lineStart = nextLine;
    ++lineNumber;
  }
  if (insideString) {
    errorText = strFormat("line %d: a quoted string starts here and is never closed", stringStartLine);
    return false;
  }

  if (lastVariableEnd_ != std::string::npos) {
    variableInsertOffset_ = lastVariableEnd_;
  } else if (firstAfterVariables_ != std::string::npos) {
    variableInsertOffset_ = firstAfterVariables_;
  } else {
    variableInsertOffset_ = bytes_.size();
  }
  nodeListInsertOffset_ = firstAfterNodes_ != std::string::npos ? firstAfterNodes_ : bytes_.size();
  return true;
}

bool DatabaseText::readStatement(std::string_view line, std::size_t lineStart, std::size_t nextLine,
                                  int lineNumber, std::string& errorText) {
  std::size_t keywordStart = 0;
  while (keywordStart < line.size() && isBlank(line[keywordStart])) ++keywordStart;
  std::size_t keywordEnd = keywordStart;
  while (keywordEnd < line.size() && !isBlank(line[keywordEnd]) && line[keywordEnd] != ':') ++keywordEnd;
  const bool hasMore = line.find_first_not_of(" \t", keywordEnd) != std::string::npos;
  if (keywordEnd == keywordStart || !hasMore) return true;
  const std::string keyword(line.substr(keywordStart, keywordEnd - keywordStart));
  if (formatKeywords().count(keyword) == 0) {
    errorText = strFormat("line %d: \"%s\" is not a statement", lineNumber, shown(keyword).c_str());
    return false;
  }

  if (keyword == "EV_") {
    // Most statements of a large file: no more than needed.
    if (!readVariable(line, lineNumber, errorText)) return false;
    lastVariableEnd_ = nextLine;
    if (firstAfterNodes_ == std::string::npos) firstAfterNodes_ = lineStart;
    return true;
  }
  if (keyword == "BU_" && !hasNodeList_) readNodeList(line, lineStart, keywordEnd);
  if (keyword == "BA_") {
    LongName name;
    if (parseLongNameStatement(line, name.shortName, name.longName)) longNames_.push_back(name);
  }
  if (precedesVariables(keyword)) {
    firstAfterVariables_ = std::string::npos;
  } else if (firstAfterVariables_ == std::string::npos && keywordsAfterVariables().count(keyword) != 0) {
    firstAfterVariables_ = lineStart;
  }
  if (firstAfterNodes_ == std::string::npos && followsNodeList(keyword)) firstAfterNodes_ = lineStart;
  return true;
}

bool DatabaseText::readVariable(std::string_view line, int lineNumber, std::string& errorText) {
  EnvVarStatement variable;
  std::size_t failedAt = 0;
  if (!parseEnvVarStatement(line, variable, &failedAt)) {
    errorText = failedAt >= line.size()
                    ? strFormat("line %d: \"EV_\" statement ends before it is complete", lineNumber)
                    : strFormat("line %d: \"EV_\" statement cannot be read from \"%s\"", lineNumber,
                                shown(line.substr(failedAt)).c_str());
    return false;
  }
  variables_.push_back(variable);
  return true;
}

void DatabaseText::readNodeList(std::string_view line, std::size_t lineStart, std::size_t keywordEnd) {
  std::size_t pos = keywordEnd;
  while (pos < line.size() && isBlank(line[pos])) ++pos;
  if (pos >= line.size() || line[pos] != ':') return;
  hasNodeList_ = true;
  ++pos;
  nodeListEnd_ = lineStart + pos;
  while (pos < line.size()) {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) ++pos;
    if (pos > start) {
      nodes_.emplace_back(line.substr(start, pos - start));
      nodeListEnd_ = lineStart + pos;
    }
  }
}

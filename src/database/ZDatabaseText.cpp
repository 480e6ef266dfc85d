#include "database/ZDatabaseText.h"

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

// Sections that come after the node list.
bool followsNodeList(const std::string& keyword) {
  return keyword == "VAL_TABLE_" || keyword == "BO_" || keyword == "BO_TX_BU_" || keyword == "EV_" ||
         keywordsAfterVariables().count(keyword) != 0;
}

// Whether a quoted string is still open at the end of the line, given
// whether one was open at its start.
bool insideStringAfter(std::string_view line, bool inside) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      inside = !inside;
    } else if (inside && line[i] == '\\') {
      ++i;
    }
  }
  return inside;
}

}  // namespace

bool ZDatabaseText::read(std::string bytes, std::string& errorText) {
  *this = ZDatabaseText();
  bytes_ = std::move(bytes);
  if (bytes_.find('\0') != std::string::npos) {
    errorText = "The file is not a text file";
    return false;
  }
  const std::size_t firstLineFeed = bytes_.find('\n');
  usesCrLf_ = firstLineFeed == std::string::npos || (firstLineFeed > 0 && bytes_[firstLineFeed - 1] == '\r');

  const char kByteOrderMark[] = "\xEF\xBB\xBF";
  textStart_ = bytes_.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;

  bool insideString = false;
  int lineNumber = 1;
  std::size_t lineStart = textStart_;
  while (lineStart < bytes_.size()) {
    const std::size_t lineFeed = bytes_.find('\n', lineStart);
    const std::size_t nextLine = lineFeed == std::string::npos ? bytes_.size() : lineFeed + 1;
    std::size_t lineEnd = lineFeed == std::string::npos ? bytes_.size() : lineFeed;
    if (lineEnd > lineStart && bytes_[lineEnd - 1] == '\r') --lineEnd;
    const std::string_view line(bytes_.data() + lineStart, lineEnd - lineStart);
    if (!insideString && !readStatement(line, lineStart, nextLine, lineNumber, errorText)) return false;
    insideString = insideStringAfter(line, insideString);
    lineStart = nextLine;
    ++lineNumber;
  }
  if (insideString) {
    errorText = "A quoted string is not closed";
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

bool ZDatabaseText::readStatement(std::string_view line, std::size_t lineStart, std::size_t nextLine,
                                  int lineNumber, std::string& errorText) {
  std::size_t keywordStart = 0;
  while (keywordStart < line.size() && isBlank(line[keywordStart])) ++keywordStart;
  std::size_t keywordEnd = keywordStart;
  while (keywordEnd < line.size() && !isBlank(line[keywordEnd]) && line[keywordEnd] != ':') ++keywordEnd;
  const bool hasMore = line.find_first_not_of(" \t", keywordEnd) != std::string::npos;
  if (keywordEnd == keywordStart || !hasMore) return true;
  const std::string keyword(line.substr(keywordStart, keywordEnd - keywordStart));
  if (formatKeywords().count(keyword) == 0) {
    errorText = strFormat("Line %d does not start with a keyword of the format", lineNumber);
    return false;
  }

  if (keyword == "EV_") {
    EnvVarStatement variable;
    if (!parseEnvVarStatement(line, variable)) {
      errorText = strFormat("Line %d is not a valid environment variable", lineNumber);
      return false;
    }
    variables_.push_back(variable);
    lastVariableEnd_ = nextLine;
  } else if (keyword == "BU_" && !hasNodeList_) {
    readNodeList(line, lineStart, keywordEnd);
  }
  if (firstAfterVariables_ == std::string::npos && keywordsAfterVariables().count(keyword) != 0) {
    firstAfterVariables_ = lineStart;
  }
  if (firstAfterNodes_ == std::string::npos && followsNodeList(keyword)) firstAfterNodes_ = lineStart;
  return true;
}

void ZDatabaseText::readNodeList(std::string_view line, std::size_t lineStart, std::size_t keywordEnd) {
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

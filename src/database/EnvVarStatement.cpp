#include "database/EnvVarStatement.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "database/VariableAttributes.h"

namespace {

constexpr uint32_t kStringFlag = 0x8000;
const char kAccessPrefix[] = "DUMMY_NODE_VECTOR";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void appendDecimal(std::string& out, uint64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void appendDecimal(std::string& out, int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// Lower-case hexadecimal without leading zeros, as "%x" writes it.
void appendHex(std::string& out, uint32_t value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  out.append(digits, result.ptr);
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isIdentifierStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool isIdentifierChar(char c) { return isIdentifierStart(c) || isDigit(c); }

// Walks one line from left to right; every read either consumes what it
// asks for or reports false.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  std::size_t position() const { return pos_; }
  bool atEnd() const { return pos_ == text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  void skipBlanks() {
    while (!atEnd() && isBlank(peek())) ++pos_;
  }
  // At least one blank or tab.
  bool blanks() {
    if (!isBlank(peek())) return false;
    skipBlanks();
    return true;
  }
  bool literal(const char* expected) {
    std::size_t end = pos_;
    for (const char* p = expected; *p != '\0'; ++p, ++end) {
      if (end >= text_.size() || text_[end] != *p) return false;
    }
    pos_ = end;
    return true;
  }
  bool identifier(std::string_view* name) {
    const std::size_t start = pos_;
    if (!isIdentifierStart(peek())) return false;
    while (!atEnd() && isIdentifierChar(peek())) ++pos_;
    if (name != nullptr) *name = text_.substr(start, pos_ - start);
    return true;
  }
  // Decimal digits into a 64-bit value; false on overflow.
  bool unsignedNumber(uint64_t* value) {
    if (!isDigit(peek())) return false;
    const std::size_t start = pos_;
    uint64_t result = 0;
    while (!atEnd() && isDigit(peek())) {
      const uint64_t digit = static_cast<uint64_t>(peek() - '0');
      if (result > (UINT64_MAX - digit) / 10) {
        pos_ = start;
        return false;
      }
      result = result * 10 + digit;
      ++pos_;
    }
    if (value != nullptr) *value = result;
    return true;
  }
  // [+-] digits [. digits] [e [+-] digits], or the fraction alone.
  bool number(double* value = nullptr) {
    const std::size_t signStart = pos_;
    if (peek() == '+' || peek() == '-') ++pos_;
    const std::size_t start = pos_;
    while (!atEnd() && isDigit(peek())) ++pos_;
    bool digits = pos_ > start;
    if (peek() == '.') {
      const std::size_t fraction = ++pos_;
      while (!atEnd() && isDigit(peek())) ++pos_;
      digits = digits || pos_ > fraction;
    }
    if (!digits) return false;
    if (peek() == 'e' || peek() == 'E') {
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      if (!isDigit(peek())) return false;
      while (!atEnd() && isDigit(peek())) ++pos_;
    }
    // The program runs in the "C" locale: the point is the decimal point.
    if (value != nullptr) *value = std::strtod(std::string(text_.substr(signStart, pos_ - signStart)).c_str(), nullptr);
    return true;
  }
  // Hexadecimal digits; the value keeps the low 64 bits of a longer number.
  bool hexDigits(uint64_t* value) {
    if (!isHexDigit(peek())) return false;
    uint64_t result = 0;
    while (!atEnd() && isHexDigit(peek())) {
      const char c = peek();
      result = result << 4 | static_cast<uint64_t>(isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
      ++pos_;
    }
    *value = result;
    return true;
  }
  // A double-quoted text in which a backslash protects the next character;
  // contents: what stands between the quotes.
  bool quotedText(std::string_view* contents = nullptr) {
    if (peek() != '"') return false;
    const std::size_t start = ++pos_;
    while (!atEnd()) {
      const char c = text_[pos_++];
      if (c == '"') {
        if (contents != nullptr) *contents = text_.substr(start, pos_ - 1 - start);
        return true;
      }
      if (c == '\\' && !atEnd()) ++pos_;
    }
    return false;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

namespace {

// attributes: where to put the type, range and starting value; null when
// they are not needed.
bool readEnvVarStatement(LineCursor& in, EnvVarStatement& result, VariableAttributes* attributes) {
  in.skipBlanks();
  if (!in.literal("EV_") || !in.blanks() || !in.identifier(&result.name)) return false;
  in.skipBlanks();
  if (!in.literal(":")) return false;
  in.skipBlanks();
  uint64_t type = 0;
  if (!in.unsignedNumber(&type) || !in.blanks()) return false;
  if (!in.literal("[")) return false;
  in.skipBlanks();
  VariableAttributes values;
  if (!in.number(attributes != nullptr ? &values.minimum : nullptr)) return false;
  in.skipBlanks();
  if (!in.literal("|")) return false;
  in.skipBlanks();
  if (!in.number(attributes != nullptr ? &values.maximum : nullptr)) return false;
  in.skipBlanks();
  if (!in.literal("]")) return false;
  in.skipBlanks();
  if (!in.quotedText() || !in.blanks()) return false;
  if (!in.number(attributes != nullptr ? &values.initialValue : nullptr) || !in.blanks()) return false;
  if (!in.unsignedNumber(&result.id) || !in.blanks()) return false;
  uint64_t access = 0;
  if (!in.literal(kAccessPrefix) || !in.hexDigits(&access) || !in.blanks()) return false;
  if (attributes != nullptr) {
    const bool isString = type == kTypeCodeString || (access & kStringFlag) != 0;
    values.typeCode = isString ? kTypeCodeString : static_cast<int32_t>(std::min<uint64_t>(type, INT32_MAX));
    *attributes = values;
  }
  if (!in.identifier(nullptr)) return false;
  in.skipBlanks();
  while (in.literal(",")) {
    in.skipBlanks();
    if (!in.identifier(nullptr)) return false;
    in.skipBlanks();
  }
  if (!in.literal(";")) return false;
  in.skipBlanks();
  return in.atEnd();
}

}  // namespace

bool parseEnvVarStatement(std::string_view line, EnvVarStatement& statement, std::size_t* failedAt) {
  LineCursor in(line);
  EnvVarStatement result;
  if (!readEnvVarStatement(in, result, nullptr)) {
    if (failedAt != nullptr) *failedAt = in.position();
    return false;
  }
  result.line = line;
  statement = result;
  return true;
}

VariableAttributes envVarAttributes(const EnvVarStatement& statement) {
  LineCursor in(statement.line);
  EnvVarStatement again;
  VariableAttributes attributes;
  readEnvVarStatement(in, again, &attributes);
  return attributes;
}

bool parseLongNameStatement(std::string_view line, std::string_view& shortName, std::string_view& longName) {
  LineCursor in(line);
  in.skipBlanks();
  if (!in.literal("BA_") || !in.blanks() || !in.literal("\"SystemEnvVarLongSymbol\"") || !in.blanks()) return false;
  std::string_view shortPart, longPart;
  if (!in.literal("EV_") || !in.blanks() || !in.identifier(&shortPart) || !in.blanks()) return false;
  if (!in.quotedText(&longPart)) return false;
  in.skipBlanks();
  if (!in.literal(";")) return false;
  in.skipBlanks();
  if (!in.atEnd()) return false;
  shortName = shortPart;
  longName = longPart;
  return true;
}

void appendEnvVarStatement(std::string& statement, const NewEnvVar& variable) {
  const bool isString = variable.typeCode == kTypeCodeString;
  const uint32_t access = static_cast<uint32_t>(variable.variableCode) | (isString ? kStringFlag : 0);
  const uint64_t minimum = isString ? 0 : variable.minimum;
  const uint64_t maximum = isString ? 0 : variable.maximum;
  const uint64_t initialValue = isString ? 0 : variable.initialValue;
  // Built piece by piece: a run enters hundreds of thousands of variables.
  // EV_ <name>: <type> [<min>|<max>] "" <initial> <id> DUMMY_NODE_VECTOR<access hex> <node>;
  // Beyond name and node at most 4 + 2 + 11 + 2 + 20 + 1 + 20 + 5 + 20 + 1
  // + 20 + 1 + 17 + 8 + 1 + 1 = 134 bytes, within kEnvVarStatementFixedLength.
  statement += "EV_ ";
  statement += variable.name;
  statement += ": ";
  appendDecimal(statement, static_cast<int64_t>(variable.typeCode));
  statement += " [";
  appendDecimal(statement, minimum);
  statement += '|';
  appendDecimal(statement, maximum);
  statement += "] \"\" ";
  appendDecimal(statement, initialValue);
  statement += ' ';
  appendDecimal(statement, variable.id);
  statement += ' ';
  statement += kAccessPrefix;
  appendHex(statement, access);
  statement += ' ';
  statement += variable.node;
  statement += ';';
}

bool isDatabaseIdentifier(const std::string& text) {
  if (text.empty() || !isIdentifierStart(text[0])) return false;
  for (char c : text) {
    if (!isIdentifierChar(c)) return false;
  }
  return true;
}

#include "macros/ZCo447MacroDefinitionCharacter.h"

#include "macros/MacroText.h"

namespace {
// Objects of up to this many bytes get the memory layout in the explanation.
constexpr int32_t kMaxLayoutBytes = 8;
constexpr char kExampleValue[] = "0102030405060708";
static_assert(sizeof kExampleValue == 2 * kMaxLayoutBytes + 1, "one pair of digits per byte");

std::string_view digit(int32_t value) { return std::string_view("0123456789" + value, 1); }
}  // namespace

int32_t ZCo447MacroDefinitionCharacter::shiftPosition() const { return record().signalOffset % 8; }

int32_t ZCo447MacroDefinitionCharacter::byteOffset() const {
  const int32_t offset = record().objectSize / 8 - record().signalOffset / 8 - 1;
  return offset < 0 ? 0 : offset;
}

std::string ZCo447MacroDefinitionCharacter::maskText() const {
  return "0x" + hexDigits(signalMask(), 2);
}

void ZCo447MacroDefinitionCharacter::writeExplanation(TextStream& stream) const {
  const int32_t bytes = record().objectSize / 8;
  stream.line("  Explanation:");
  writeLocationLine(stream, " (zero based).");
  if (bytes <= kMaxLayoutBytes) {
    // The example value numbers the bytes 01, 02, ...; byte numbers have a
    // single digit here.
    const std::string_view value = std::string_view(kExampleValue).substr(0, bytes > 0 ? 2 * bytes : 0);
    stream.line("    If the object value is 0x", value, " the value in the memory looks as follows:");
    for (int32_t j = 1; j <= bytes; ++j) {
      stream.line("      base address + ", digit(j - 1), "   byte", digit(bytes - j), "   0x0", digit(j));
    }
  }
  stream.line();
}

void ZCo447MacroDefinitionCharacter::writeSyntax(TextStream& stream, bool setMacro,
                                                 const char* expression) const {
  stream.line("  Syntax:");
  if (setMacro) stream.line("    result = (erase old signal value) | (new signal value)");
  stream.line("    bo = byte offset of signal in array = ", std::to_string(byteOffset()));
  stream.line("    sp = shift position from start of byte array = ", std::to_string(shiftPosition()));
  stream.line("    mk = mask for signal length = ", maskText());
  stream.line();
  stream.line(expression);
  stream.line("  \\endverbatim");
}

void ZCo447MacroExtractCharacter::writeNameAndFunctionality(TextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Extract object's ", " from a character array pointed by c");
}

void ZCo447MacroExtractCharacter::writeDocumentation(TextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, false, "    ((c[bo] >> sp) & mk)");
}

void ZCo447MacroExtractCharacter::writeDefinition(TextStream& stream) const {
  const std::string bo = std::to_string(byteOffset());
  const std::string sp = std::to_string(shiftPosition());
  stream.line("#define ", macroName(), " \\");
  stream.line("  ((c[", bo, "] >> ", sp, ") & ", maskText(), ")");
}

void ZCo447MacroInsertCharacter::writeNameAndFunctionality(TextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Insert object's ", " into a character array pointed by c");
}

void ZCo447MacroInsertCharacter::writeDocumentation(TextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, true, "    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))");
}

void ZCo447MacroInsertCharacter::writeDefinition(TextStream& stream) const {
  const std::string bo = std::to_string(byteOffset());
  const std::string sp = std::to_string(shiftPosition());
  const std::string mk = maskText();
  stream.line("#define ", macroName(), " \\");
  stream.line("  (c[", bo, "] = ((c[", bo, "] & ~(", mk, " << ", sp, ")) | ((value & ", mk, ") << ", sp,
              ")))");
}

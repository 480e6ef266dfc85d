#include "macros/ZCo447MacroDefinitionCharacter.h"

#include "macros/MacroText.h"

namespace {
// Objects of up to this many bytes get the memory layout in the explanation.
constexpr int32_t kMaxLayoutBytes = 8;
}  // namespace

int32_t ZCo447MacroDefinitionCharacter::shiftPosition() const { return record().signalOffset % 8; }

int32_t ZCo447MacroDefinitionCharacter::byteOffset() const {
  const int32_t offset = record().objectSize / 8 - record().signalOffset / 8 - 1;
  return offset < 0 ? 0 : offset;
}

std::string ZCo447MacroDefinitionCharacter::maskText() const {
  return "0x" + hexDigits(signalMask(), 2);
}

void ZCo447MacroDefinitionCharacter::writeExplanation(ZTextStream& stream) const {
  const int32_t bytes = record().objectSize / 8;
  stream.line("  Explanation:");
  writeLocationLine(stream, " (zero based).");
  if (bytes <= kMaxLayoutBytes) {
    std::string value;
    for (int32_t j = 1; j <= bytes; ++j) value += "0" + std::to_string(j);
    stream.line("    If the object value is 0x", value, " the value in the memory looks as follows:");
    for (int32_t j = 1; j <= bytes; ++j) {
      stream.line("      base address + ", std::to_string(j - 1), "   byte", std::to_string(bytes - j),
                  "   0x0", std::to_string(j));
    }
  }
  stream.line();
}

void ZCo447MacroDefinitionCharacter::writeSyntax(ZTextStream& stream, bool setMacro,
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

void ZCo447MacroExtractCharacter::writeNameAndFunctionality(ZTextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Extract object's ", " from a character array pointed by c");
}

void ZCo447MacroExtractCharacter::writeDocumentation(ZTextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, false, "    ((c[bo] >> sp) & mk)");
}

void ZCo447MacroExtractCharacter::writeDefinition(ZTextStream& stream) const {
  const std::string bo = std::to_string(byteOffset());
  const std::string sp = std::to_string(shiftPosition());
  stream.line("#define ", macroName(), " \\");
  stream.line("  ((c[", bo, "] >> ", sp, ") & ", maskText(), ")");
}

void ZCo447MacroInsertCharacter::writeNameAndFunctionality(ZTextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Insert object's ", " into a character array pointed by c");
}

void ZCo447MacroInsertCharacter::writeDocumentation(ZTextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, true, "    (c[bo] = ((c[bo] & ~(mk << sp)) | ((value & mk) << sp)))");
}

void ZCo447MacroInsertCharacter::writeDefinition(ZTextStream& stream) const {
  const std::string bo = std::to_string(byteOffset());
  const std::string sp = std::to_string(shiftPosition());
  const std::string mk = maskText();
  stream.line("#define ", macroName(), " \\");
  stream.line("  (c[", bo, "] = ((c[", bo, "] & ~(", mk, " << ", sp, ")) | ((value & ", mk, ") << ", sp,
              ")))");
}

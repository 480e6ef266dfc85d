#include "macros/ZCo447MacroDefinitionInteger.h"

#include "core/RunSettings.h"
#include "macros/MacroText.h"

int32_t ZCo447MacroDefinitionInteger::shiftPosition() const { return record().signalOffset; }

std::string ZCo447MacroDefinitionInteger::maskSuffix() const {
  const int32_t size = record().objectSize;
  if (size <= 8) return "";
  if (size <= 16) return "u";
  if (size <= 32) return "UL";
  if (size <= 64) return runSettings().wideValueFormat();
  return "";  // such objects get no macros
}

std::string ZCo447MacroDefinitionInteger::maskText() const {
  return "0x" + hexDigits(signalMask(), 2) + maskSuffix();
}

void ZCo447MacroDefinitionInteger::writeExplanation(TextStream& stream) const {
  stream.line("  Explanation:");
  writeLocationLine(stream, "(zero based).");
  stream.line();
}

void ZCo447MacroDefinitionInteger::writeSyntax(TextStream& stream, bool setMacro,
                                               const char* expression) const {
  stream.line("  Syntax:");
  if (setMacro) stream.line("    result = (erase old signal value) | (new signal value)");
  stream.line("    sp = shift position from start of object value = ", std::to_string(shiftPosition()));
  stream.line("    mk = mask for signal length = ", maskText());
  stream.line();
  stream.line(expression);
  stream.line("  \\endverbatim");
}

void ZCo447MacroExtractInteger::writeNameAndFunctionality(TextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Extract object's ", " from an unsigned variable u");
}

void ZCo447MacroExtractInteger::writeDocumentation(TextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, false, "    ((u >> sp) & mk)");
}

void ZCo447MacroExtractInteger::writeDefinition(TextStream& stream) const {
  const std::string sp = std::to_string(shiftPosition());
  stream.line("#define ", macroName(), " \\");
  stream.line("  ((u >> ", sp, ") & ", maskText(), ")");
}

void ZCo447MacroInsertInteger::writeNameAndFunctionality(TextStream& stream) const {
  writeNameAndFunctionalityLines(stream, "    Insert object's ", " into an unsigned variable u");
}

void ZCo447MacroInsertInteger::writeDocumentation(TextStream& stream) const {
  writeNameAndFunctionality(stream);
  writeExplanation(stream);
  writeSyntax(stream, true, "    (u = ((u & ~(mk << sp)) | ((value & mk) << sp)))");
}

void ZCo447MacroInsertInteger::writeDefinition(TextStream& stream) const {
  const std::string sp = std::to_string(shiftPosition());
  const std::string mk = maskText();
  stream.line("#define ", macroName(), " \\");
  stream.line("  (u = ((u & ~(", mk, " << ", sp, ")) | ((value & ", mk, ") << ", sp, ")))");
}

#include "macros/ZCo447MacroDefinition.h"

#include "macros/MacroText.h"
#include "util/Identifier.h"
#include "util/StringFormat.h"

std::string objectLabel(const ZListEntry& record) {
  std::string label = "0x";
  label += hexDigits(record.objectIndex);
  label += "sub";
  label += hexDigits(record.objectSubIndex);
  return label;
}

bool ZCo447MacroDefinition::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeGroupHeader(stream);
  writeDocumentation(stream);
  writeCommentEnd(stream);
  writeDefinition(stream);
  stream.line();
  stream.line();
  return true;
}

const std::string& ZCo447MacroDefinition::macroName() const {
  if (name_.empty()) {
    const std::string prefix = macroPrefix();
    const std::string arguments = macroArguments();
    const std::size_t identifierSize = identifier_ != nullptr ? identifier_->size() : record_.signalNameShort.size();
    name_.reserve(prefix.size() + identifierSize + label_.size() + arguments.size() + 3);
    name_ += prefix;
    if (identifier_ != nullptr) {
      name_ += *identifier_;
    } else {
      appendIdentifier(name_, record_.signalNameShort, true);
    }
    name_ += '_';
    name_ += label_;
    name_ += '(';
    name_ += arguments;
    name_ += ')';
  }
  return name_;
}

uint64_t ZCo447MacroDefinition::signalMask() const {
  if (record_.signalSize <= 0) return 0;
  if (record_.signalSize >= 64) return ~uint64_t{0};
  return (uint64_t{1} << record_.signalSize) - 1;
}

void ZCo447MacroDefinition::writeGroupHeader(TextStream& stream) const {
  stream.line("/*!");
  stream.line("  \\addtogroup macros_for_", label_, ": ", CommentSafeText(record_.objectName));
  stream.line();
}

void ZCo447MacroDefinition::writeCommentEnd(TextStream& stream) const { stream.line("*/"); }

void ZCo447MacroDefinition::writeNameAndFunctionalityLines(TextStream& stream, const char* verb,
                                                           const char* tail) const {
  stream.line("  \\verbatim");
  stream.line("  Macro name:");
  stream.line("    ", macroName());
  stream.line();
  stream.line("  Functionality:");
  stream.line(verb, label_, " signal \"", CommentSafeText(record_.signalName), "\"", tail);
  stream.line();
}

void ZCo447MacroDefinition::writeLocationLine(TextStream& stream, const char* ending) const {
  // The last bit is computed as the 32-bit arithmetic of the sheet values
  // gives it, wrapping instead of overflowing for absurd values.
  const int64_t last = static_cast<int64_t>(record_.signalOffset) + record_.signalSize - 1;
  stream.line("    The object size is ", std::to_string(record_.objectSize),
              " bit. The signal value is located in bit ", std::to_string(record_.signalOffset), " - ",
              std::to_string(static_cast<int32_t>(static_cast<uint32_t>(last))), ending);
}

// One access macro of the C header: a documentation comment that explains
// where the signal lies in its object value, followed by the #define.
#pragma once

#include <cstdint>
#include <string>

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"

// "0x%xsub%x" from object index and sub-index: names the object in macro
// names and in the description block.
std::string objectLabel(const ZListEntry& record);

class ZCo447MacroDefinition : public ZNewFunction {
 public:
  // The record belongs to the signal table, which outlives the macro.
  // identifier: the one the macro name uses in place of the short name's
  // (a signal renamed because its short name is shared, see MacroNaming);
  // null for the short name's own. It outlives the macro as well.
  explicit ZCo447MacroDefinition(const ZListEntry& record, const std::string* identifier = nullptr)
      : record_(record), label_(objectLabel(record)), identifier_(identifier) {}
  // A temporary record would be gone before the macro is written.
  explicit ZCo447MacroDefinition(ZListEntry&&, const std::string* = nullptr) = delete;

  // Writes the macro block: comment, definition and two empty lines.
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

  virtual int32_t shiftPosition() const = 0;
  virtual std::string macroPrefix() const = 0;
  virtual std::string macroArguments() const = 0;

  // Prefix, short name as identifier, object label and argument list, e.g.
  // "sxu_taxi_state_0x6000sub1(u)". Composed on first use and kept, as a
  // block writes it several times.
  const std::string& macroName() const;
  // The low signalSize bits set (none for 0 or less, all for 64 or more).
  uint64_t signalMask() const;

 protected:
  virtual void writeExplanation(TextStream& stream) const = 0;
  virtual void writeNameAndFunctionality(TextStream& stream) const = 0;
  virtual void writeDocumentation(TextStream& stream) const = 0;
  virtual void writeDefinition(TextStream& stream) const = 0;
  virtual void writeGroupHeader(TextStream& stream) const;
  virtual void writeCommentEnd(TextStream& stream) const;

  const ZListEntry& record() const { return record_; }
  // The lines from "\verbatim" to the sentence that says what the macro does.
  void writeNameAndFunctionalityLines(TextStream& stream, const char* verb, const char* tail) const;
  // "    The object size is .. bit. The signal value is located in bit a - b"
  // followed by the ending.
  void writeLocationLine(TextStream& stream, const char* ending) const;

 private:
  const ZListEntry& record_;
  const std::string label_;
  const std::string* identifier_;
  mutable std::string name_;
};

// The access macros on an object value held in a character array, most
// significant byte first. They exist for signals that lie in one byte.
#pragma once

#include "macros/ZCo447MacroDefinition.h"

class ZCo447MacroDefinitionCharacter : public ZCo447MacroDefinition {
 public:
  using ZCo447MacroDefinition::ZCo447MacroDefinition;

  // The signal's offset inside its byte.
  int32_t shiftPosition() const override;
  // The array element that holds the signal: the last element holds bits
  // 0-7 of the value. Never negative.
  int32_t byteOffset() const;
  // "0x%02x", e.g. "0x0f".
  std::string maskText() const;

 protected:
  void writeExplanation(TextStream& stream) const override;
  // The lines from "Syntax:" to "\endverbatim"; setMacro adds the line that
  // explains the result of a set macro.
  void writeSyntax(TextStream& stream, bool setMacro, const char* expression) const;
};

// sxc_<name>_<object>(c): the signal's value taken out of the array c.
class ZCo447MacroExtractCharacter : public ZCo447MacroDefinitionCharacter {
 public:
  using ZCo447MacroDefinitionCharacter::ZCo447MacroDefinitionCharacter;
  std::string macroPrefix() const override { return "sxc_"; }
  std::string macroArguments() const override { return "c"; }

 protected:
  void writeNameAndFunctionality(TextStream& stream) const override;
  void writeDocumentation(TextStream& stream) const override;
  void writeDefinition(TextStream& stream) const override;
};

// sic_<name>_<object>(c,value): value stored into the signal's bits of c.
class ZCo447MacroInsertCharacter : public ZCo447MacroDefinitionCharacter {
 public:
  using ZCo447MacroDefinitionCharacter::ZCo447MacroDefinitionCharacter;
  std::string macroPrefix() const override { return "sic_"; }
  std::string macroArguments() const override { return "c,value"; }

 protected:
  void writeNameAndFunctionality(TextStream& stream) const override;
  void writeDocumentation(TextStream& stream) const override;
  void writeDefinition(TextStream& stream) const override;
};

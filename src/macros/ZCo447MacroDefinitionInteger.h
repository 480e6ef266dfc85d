// The access macros on an object value held in an unsigned integer variable.
#pragma once

#include "macros/ZCo447MacroDefinition.h"

class ZCo447MacroDefinitionInteger : public ZCo447MacroDefinition {
 public:
  using ZCo447MacroDefinition::ZCo447MacroDefinition;

  // The signal's offset in the object value.
  int32_t shiftPosition() const override;
  // The constant suffix that gives the mask the width of the object value.
  std::string maskSuffix() const;
  // "0x%02x" and the suffix, e.g. "0x0fUL".
  std::string maskText() const;

 protected:
  void writeExplanation(TextStream& stream) const override;
  // The lines from "Syntax:" to "\endverbatim"; setMacro adds the line that
  // explains the result of a set macro.
  void writeSyntax(TextStream& stream, bool setMacro, const char* expression) const;
};

// sxu_<name>_<object>(u): the signal's value taken out of u.
class ZCo447MacroExtractInteger : public ZCo447MacroDefinitionInteger {
 public:
  using ZCo447MacroDefinitionInteger::ZCo447MacroDefinitionInteger;
  std::string macroPrefix() const override { return "sxu_"; }
  std::string macroArguments() const override { return "u"; }

 protected:
  void writeNameAndFunctionality(TextStream& stream) const override;
  void writeDocumentation(TextStream& stream) const override;
  void writeDefinition(TextStream& stream) const override;
};

// siu_<name>_<object>(u,value): value stored into the signal's bits of u.
class ZCo447MacroInsertInteger : public ZCo447MacroDefinitionInteger {
 public:
  using ZCo447MacroDefinitionInteger::ZCo447MacroDefinitionInteger;
  std::string macroPrefix() const override { return "siu_"; }
  std::string macroArguments() const override { return "u,value"; }

 protected:
  void writeNameAndFunctionality(TextStream& stream) const override;
  void writeDocumentation(TextStream& stream) const override;
  void writeDefinition(TextStream& stream) const override;
};

// "sc_" handler body for an object of at most 32 bits: packs the command
// value into the object value (all other signals of the object set to their
// maximum) and downloads it expedited.
#pragma once

#include "nosl/ZCo447MapperFunction.h"

class ZCo447MapperFunction_Int : public ZCo447MapperFunction {
 public:
  explicit ZCo447MapperFunction_Int(const ZListEntry& record) : ZCo447MapperFunction(record) {}
  void writeHandlerBody(TextStream& stream) override;
};

// "sc_" handler body for an object of 33 to 64 bits (-wide): packs the
// command value into the object value as the body for narrower objects does
// (all other signals of the object set to their maximum), in two words, and
// downloads the object's bytes, least significant first. A signal of more
// than 32 bits takes its command value from a floating variable.
#pragma once

#include "nosl/ZCo447MapperFunction.h"

class Co447MapperFunction_Wide : public ZCo447MapperFunction {
 public:
  explicit Co447MapperFunction_Wide(const ZListEntry& record) : ZCo447MapperFunction(record) {}
  void writeHandlerBody(TextStream& stream) override;
};

// "sc_" handler body for an object of more than 32 bits: downloads the byte
// string of the command value as the whole object.
#pragma once

#include "nosl/ZCo447MapperFunction.h"

class ZCo447MapperFunction_String : public ZCo447MapperFunction {
 public:
  explicit ZCo447MapperFunction_String(const ZListEntry& record) : ZCo447MapperFunction(record) {}
  void writeHandlerBody(TextStream& stream) override;
};

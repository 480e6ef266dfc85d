// coGen_CalculateWideSignalPosition: packs one signal value, held in two
// words, into an object value of up to 64 bits, so that a command handler of
// an object of 33 to 64 bits can download the whole object (-wide).
#pragma once

#include "framework/ZNoslFunction.h"

class Co447CalcWideSignalPositionFunction : public ZNewFunction {
 public:
  Co447CalcWideSignalPositionFunction() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

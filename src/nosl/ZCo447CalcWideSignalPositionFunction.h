// coGen_CalculateWideSignalPosition: packs one signal value, held in two
// words, into an object value of up to 64 bits, so that a command handler of
// an object of 33 to 64 bits can download the whole object (-wide).
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447CalcWideSignalPositionFunction : public ZNewFunction {
 public:
  ZCo447CalcWideSignalPositionFunction() = default;
  bool writeBody(ZTextStream& stream, ZGeneratorInterface& generator) override;
};

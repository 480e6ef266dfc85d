// coGen_CalculateSignalPosition: packs one signal value into the value of its
// object, so that a command handler can download the whole object by SDO.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447CalcSignalSizeFunction : public ZNewFunction {
 public:
  ZCo447CalcSignalSizeFunction() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

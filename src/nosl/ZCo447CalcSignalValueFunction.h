// coGen_CalculateSignalValue: extracts one signal value from an object value,
// so that a status handler can split an uploaded object into its signals.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447CalcSignalValueFunction : public ZNewFunction {
 public:
  ZCo447CalcSignalValueFunction() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

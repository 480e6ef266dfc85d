// coGen_CalculateWideSignalValue: extracts one half of a signal value from an
// object value of up to 64 bits held in two words, so that the upload
// response can split an object of 33 to 64 bits into its signals (-wide).
#pragma once

#include "framework/ZNoslFunction.h"

class Co447CalcWideSignalValueFunction : public ZNewFunction {
 public:
  Co447CalcWideSignalValueFunction() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

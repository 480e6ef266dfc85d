// The end of the C header: closes the include guard the head part opened.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447MacroBottomPart : public ZNewFunction {
 public:
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

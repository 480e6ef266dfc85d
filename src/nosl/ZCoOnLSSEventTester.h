// The tester's coOnLssEvent callback, called on LSS events; empty body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnLSSEventTester : public ZNewFunction {
 public:
  ZCoOnLSSEventTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

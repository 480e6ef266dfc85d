// The tester's coOnBootUp callback, called when a node's boot-up message arrives; empty body
// for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnBootUpTester : public ZNewFunction {
 public:
  ZCoOnBootUpTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

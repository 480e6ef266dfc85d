// The tester's coOnError callback, called by the node's stack on an error; empty body for the
// user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnErrorTester : public ZNewFunction {
 public:
  ZCoOnErrorTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

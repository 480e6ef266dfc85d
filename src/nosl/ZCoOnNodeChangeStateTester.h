// The tester's coOnNodeChangedState callback, called when the node changed its state; empty
// body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnNodeChangeStateTester : public ZNewFunction {
 public:
  ZCoOnNodeChangeStateTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

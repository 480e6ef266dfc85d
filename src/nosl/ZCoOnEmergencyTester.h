// The tester's coOnEmergency callback, called when an emergency message arrives; empty body for
// the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnEmergencyTester : public ZNewFunction {
 public:
  ZCoOnEmergencyTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

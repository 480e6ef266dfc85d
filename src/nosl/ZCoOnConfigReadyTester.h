// The tester's coOnConfigReady callback, called on events of the configuration manager; empty
// body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnConfigReadyTester : public ZNewFunction {
 public:
  ZCoOnConfigReadyTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

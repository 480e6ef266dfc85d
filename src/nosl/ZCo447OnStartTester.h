// The "on start" handler of the tester node script: creates the tester's SDO
// channels and additional objects, stops the measurement when a creation
// failed, and starts the tester node.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447OnStartTester : public ZNewFunction {
 public:
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

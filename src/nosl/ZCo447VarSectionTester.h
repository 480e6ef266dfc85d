// The variables section of the tester node script: the tester's node id,
// error buffers, start flag, debug levels and the CANopen constant tables
// every other generated function uses by name.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCo447VarSectionTester : public ZNewFunction {
 public:
  // Writes the section with the tester node id of the run settings.
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

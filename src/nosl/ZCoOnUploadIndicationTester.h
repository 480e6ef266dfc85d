// The tester's coOnUploadIndication callback, called when a remote SDO upload from the local
// object dictionary is requested; empty body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnUploadIndicationTester : public ZNewFunction {
 public:
  ZCoOnUploadIndicationTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

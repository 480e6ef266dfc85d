// The tester's coOnDownloadIndication callback, called when a remote SDO download to the local
// object dictionary is requested; empty body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnDownloadIndicationTester : public ZNewFunction {
 public:
  ZCoOnDownloadIndicationTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

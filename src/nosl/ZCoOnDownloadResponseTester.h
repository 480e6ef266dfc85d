// The tester's coOnDownloadResponse callback, called when an SDO download response arrives;
// empty body for the user.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoOnDownloadResponseTester : public ZNewFunction {
 public:
  ZCoOnDownloadResponseTester() = default;
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

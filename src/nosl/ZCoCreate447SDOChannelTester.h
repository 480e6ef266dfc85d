// The function coGen_ODCreate447SDOChannel of the tester node script: creates
// at run time the 16 SDO server and 16 SDO client objects a CiA 447 device
// owns, one pair per possible node id. Its text does not depend on the run:
// the tester's node id enters only at run time through gNodeId.
#pragma once

#include "framework/ZNoslFunction.h"

class ZCoCreate447SDOChannelTester : public ZNewFunction {
 public:
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
};

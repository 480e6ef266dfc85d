// Object-variable handler body for an object of more than 32 bits: copies the
// object's byte string into the "stval_" variable of one signal, the object's
// first status signal.
#pragma once

#include <string>

#include "nosl/ZCo447ObjValToSigMapper.h"

class ZCo447ObjValToSigMapper_String : public ZCo447ObjValToSigMapper {
 public:
  ZCo447ObjValToSigMapper_String(const std::string& signalName, uint32_t objectIndex, uint32_t objectSubIndex)
      : ZCo447ObjValToSigMapper(objectIndex, objectSubIndex), signalName_(signalName) {}
  void writeHandlerBody(TextStream& stream) override;

 private:
  std::string signalName_;  // a copy: the piece owns it
};

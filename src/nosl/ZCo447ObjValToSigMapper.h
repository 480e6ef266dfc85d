// The handler of one object variable "stval_" + object key: the upload
// response callback stores an uploaded object value there, and the handler
// hands it on to the signal variables of the object. This class writes the
// handler's frame; the subclasses write its body, which depends on whether
// the object fits in 32 bits.
#pragma once

#include <cstdint>

#include "framework/ZNoslFunction.h"

class ZCo447ObjValToSigMapper : public ZNewFunction {
 public:
  ZCo447ObjValToSigMapper(uint32_t objectIndex, uint32_t objectSubIndex)
      : objectIndex_(objectIndex), objectSubIndex_(objectSubIndex) {}
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
  // Writes the lines between the handler's "{" and "}".
  virtual void writeHandlerBody(TextStream& stream) = 0;

 protected:
  uint32_t objectIndex() const { return objectIndex_; }
  uint32_t objectSubIndex() const { return objectSubIndex_; }

 private:
  uint32_t objectIndex_;
  uint32_t objectSubIndex_;
};

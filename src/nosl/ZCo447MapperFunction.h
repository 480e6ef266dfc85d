// The "sc_" handler of one command signal: a value above 0 in "sc_" + name
// downloads the command value "coval_" + name to the device under test. This
// class writes the handler's frame; the subclasses write its body, which
// depends on whether the object fits in 32 bits (and, with -wide, in 64).
#pragma once

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"

class ZCo447MapperFunction : public ZNewFunction {
 public:
  // The record stays owned by the signal table, which outlives the piece.
  explicit ZCo447MapperFunction(const ZListEntry& record) : record_(record) {}
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;
  // Writes the lines between the handler's "{" and "}".
  virtual void writeHandlerBody(TextStream& stream) = 0;

 protected:
  const ZListEntry& record() const { return record_; }
  // The lines every body ends with: from the test of the download's result
  // to the end.
  static void writeResultAndReset(TextStream& stream);

 private:
  const ZListEntry& record_;
};

// The "gs_" handler of one status signal: a value above 0 in "gs_" + name
// uploads the signal's object from the device under test by SDO; the upload
// response callback then stores the object value.
#pragma once

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"

class ZCo447GetStatusFunction : public ZNewFunction {
 public:
  // The record stays owned by the signal table, which outlives the piece.
  explicit ZCo447GetStatusFunction(const ZListEntry& record) : record_(record) {}
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

 private:
  const ZListEntry& record_;
};

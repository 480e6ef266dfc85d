// Object-variable handler body for an object of at most 32 bits: splits the
// object value into the "stval_" variable of every non-reserved record of the
// object, status and command records alike, in table order.
#pragma once

#include <memory>

#include "input/ZListEntry.h"
#include "nosl/ObjectSignalIndex.h"
#include "nosl/ZCo447ObjValToSigMapper.h"

class ZCo447ObjValToSigMapper_Int : public ZCo447ObjValToSigMapper {
 public:
  // The table stays owned by its reader and outlives the piece. All handlers
  // of one table share one index of its records by object, so a file with
  // many objects is still written in one pass over the table.
  ZCo447ObjValToSigMapper_Int(const SignalTable& table, uint32_t objectIndex, uint32_t objectSubIndex);
  void writeHandlerBody(TextStream& stream) override;

 private:
  const SignalTable& table_;
  std::shared_ptr<const ObjectSignalIndex> index_;
};

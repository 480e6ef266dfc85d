// The description block of the C header: one comment that lists, object by
// object, which access macros exist for which signal.
#pragma once

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"

class ZCo447MacroDescription : public ZNewFunction {
 public:
  // The table outlives the block.
  explicit ZCo447MacroDescription(const ZSignalTable& table) : table_(table) {}
  explicit ZCo447MacroDescription(ZSignalTable&&) = delete;

  // Objects appear in the order of their first unreserved record, each
  // with its records in table order. The table is grouped by object once,
  // so the block takes time linear in the table size.
  bool writeBody(ZTextStream& stream, ZGeneratorInterface& generator) override;

 private:
  const ZSignalTable& table_;
};

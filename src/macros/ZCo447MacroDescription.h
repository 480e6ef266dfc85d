// The description block of the C header: one comment that lists, object by
// object, which access macros exist for which signal.
#pragma once

#include "framework/ZNoslFunction.h"
#include "input/ZListEntry.h"
#include "macros/MacroNaming.h"

class ZCo447MacroDescription : public ZNewFunction {
 public:
  // The table, and the naming of its macros when one is given, outlive the
  // block. Without a naming every macro name uses its short name's identifier.
  explicit ZCo447MacroDescription(const SignalTable& table, const MacroNaming* naming = nullptr)
      : table_(table), naming_(naming) {}
  explicit ZCo447MacroDescription(SignalTable&&, const MacroNaming* = nullptr) = delete;

  // Objects appear in the order of their first unreserved record, each
  // with its records in table order. The table is grouped by object once,
  // so the block takes time linear in the table size.
  bool writeBody(TextStream& stream, ZGeneratorInterface& generator) override;

 private:
  const SignalTable& table_;
  const MacroNaming* naming_;
};

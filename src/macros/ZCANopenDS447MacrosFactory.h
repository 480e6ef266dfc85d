// The factory of the C macro header: the head part, the description block,
// the access macros of every header signal in table order, the bottom part.
#pragma once

#include "framework/ZNoslFactory.h"
#include "macros/LocalClock.h"
#include "macros/MacroNaming.h"

class ZCANopenDS447MacrosFactory : public ZNoslFactory {
 public:
  ZCANopenDS447MacrosFactory() = default;

  // Fills the list from the table of the generator, which must be a
  // ZCoMacro447InteractionLayer (false and nothing created otherwise).
  // A header signal that does not lie in one byte gets no character-array
  // macros and is added to the run's list of byte-boundary signals.
  bool createFunctions(FunctionList& list, ZGeneratorInterface& generator) override;

  // The clock the head part takes the generation moment from.
  void setClock(LocalClock clock) { clock_ = std::move(clock); }

  // The identifiers of the last table the factory created macros for; the
  // run reports the renamed signals from it after writing.
  const MacroNaming& macroNaming() const { return naming_; }

 private:
  LocalClock clock_ = systemLocalTime;
  MacroNaming naming_;
};

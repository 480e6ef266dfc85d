#include "macros/ZCANopenDS447MacrosFactory.h"

#include "app/RunSettings.h"
#include "macros/ZCo447MacroBottomPart.h"
#include "macros/ZCo447MacroDefinitionCharacter.h"
#include "macros/ZCo447MacroDefinitionInteger.h"
#include "macros/ZCo447MacroDescription.h"
#include "macros/ZCo447MacroHeadPart.h"

bool ZCANopenDS447MacrosFactory::createFunctions(ZFunctionList& list, ZGeneratorInterface& generator) {
  const auto* macroGenerator = dynamic_cast<const ZCoMacro447InteractionLayer*>(&generator);
  if (macroGenerator == nullptr) return false;
  const ZSignalTable& table = macroGenerator->signalTable();

  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record)) continue;
    if (liesInOneByte(record)) {
      list.push_back(std::make_unique<ZCo447MacroExtractCharacter>(record));
      list.push_back(std::make_unique<ZCo447MacroInsertCharacter>(record));
    } else {
      runSettings().appendOversizedSignal(listLine(record));
    }
    list.push_back(std::make_unique<ZCo447MacroExtractInteger>(record));
    list.push_back(std::make_unique<ZCo447MacroInsertInteger>(record));
  }

  list.push_front(std::make_unique<ZCo447MacroDescription>(table));
  list.push_front(std::make_unique<ZCo447MacroHeadPart>(clock_));
  list.push_back(std::make_unique<ZCo447MacroBottomPart>());
  return true;
}

#include "macros/ZCANopenDS447MacrosFactory.h"

#include "core/RunSettings.h"
#include "macros/ZCo447MacroBottomPart.h"
#include "macros/ZCo447MacroDefinitionCharacter.h"
#include "macros/ZCo447MacroDefinitionInteger.h"
#include "macros/ZCo447MacroDescription.h"
#include "macros/ZCo447MacroHeadPart.h"

bool ZCANopenDS447MacrosFactory::createFunctions(FunctionList& list, ZGeneratorInterface& generator) {
  const auto* macroGenerator = dynamic_cast<const ZCoMacro447InteractionLayer*>(&generator);
  if (macroGenerator == nullptr) return false;
  const SignalTable& table = macroGenerator->signalTable();
  naming_ = MacroNaming(table);

  for (const ZListEntry& record : table) {
    if (!isHeaderSignal(record)) continue;
    const std::string* identifier = naming_.renamedIdentifier(record);
    if (liesInOneByte(record)) {
      list.push_back(std::make_unique<ZCo447MacroExtractCharacter>(record, identifier));
      list.push_back(std::make_unique<ZCo447MacroInsertCharacter>(record, identifier));
    } else {
      runSettings().appendOversizedSignal(listLine(record));
    }
    list.push_back(std::make_unique<ZCo447MacroExtractInteger>(record, identifier));
    list.push_back(std::make_unique<ZCo447MacroInsertInteger>(record, identifier));
  }

  list.push_front(std::make_unique<ZCo447MacroDescription>(table, &naming_));
  list.push_front(std::make_unique<ZCo447MacroHeadPart>(clock_));
  list.push_back(std::make_unique<ZCo447MacroBottomPart>());
  return true;
}

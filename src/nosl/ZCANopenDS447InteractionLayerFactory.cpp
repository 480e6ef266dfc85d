#include "nosl/ZCANopenDS447InteractionLayerFactory.h"

#include <memory>
#include <string>
#include <unordered_set>

#include "core/RunSettings.h"
#include "input/ZListEntry.h"
#include "nosl/Co447CalcWideSignalPositionFunction.h"
#include "nosl/Co447CalcWideSignalValueFunction.h"
#include "nosl/Co447MapperFunction_Wide.h"
#include "nosl/ZCo447CalcSignalSizeFunction.h"
#include "nosl/ZCo447CalcSignalValueFunction.h"
#include "nosl/ZCo447GetStatusFunction.h"
#include "nosl/ZCo447MapperFunction_Int.h"
#include "nosl/ZCo447MapperFunction_String.h"
#include "nosl/ZCo447ObjValToSigMapper_Int.h"
#include "nosl/ZCo447ObjValToSigMapper_String.h"
#include "nosl/ZCoOnUploadResponseTester.h"

namespace {

// Whether -wide may have an object of 33 to 64 bits to handle signal by
// signal: a command handler or an upload branch (which a reserved status
// record decides as well) calls the two-word functions only then.
bool hasTwoWordRecord(const SignalTable& table) {
  for (const ZListEntry& record : table) {
    if (isTwoWordObject(record)) return true;
  }
  return false;
}

}  // namespace

bool ZCANopenDS447InteractionLayerFactory::createFunctions(FunctionList& list, ZGeneratorInterface& generator) {
  auto* layer = dynamic_cast<ZCoNosl447InteractionLayer*>(&generator);
  if (layer == nullptr) return false;
  const SignalTable& table = layer->signalTable();
  // With -wide an object of 33 to 64 bits is split and packed signal by
  // signal; without it, and above 64 bits, it travels as a byte string.
  const bool split = runSettings().splitWideObjects();
  const auto splitsSignals = [split](const ZListEntry& record) { return split && isTwoWordObject(record); };

  createModeFunctions(list);
  list.push_back(std::make_unique<ZCoOnUploadResponseTester>(table, split));
  list.push_back(std::make_unique<ZCo447CalcSignalSizeFunction>());
  list.push_back(std::make_unique<ZCo447CalcSignalValueFunction>());
  if (split && hasTwoWordRecord(table)) {
    list.push_back(std::make_unique<Co447CalcWideSignalPositionFunction>());
    list.push_back(std::make_unique<Co447CalcWideSignalValueFunction>());
  }

  // Every object with status signals gets one object handler, right after
  // the status handler of its first status signal; its kind follows that
  // signal's object size (none with -wide for 33 to 64 bits).
  std::unordered_set<std::string> objectsWithHandler;
  for (const ZListEntry& record : table) {
    if (record.signalReserved == 1) continue;
    if (record.commandOrStatus == 1) {
      if (splitsSignals(record)) {
        list.push_back(std::make_unique<Co447MapperFunction_Wide>(record));
      } else if (isWideObject(record)) {
        list.push_back(std::make_unique<ZCo447MapperFunction_String>(record));
      } else {
        list.push_back(std::make_unique<ZCo447MapperFunction_Int>(record));
      }
      continue;
    }
    list.push_back(std::make_unique<ZCo447GetStatusFunction>(record));
    if (!objectsWithHandler.insert(objectKey(record)).second) continue;
    // The upload response splits such an object itself.
    if (splitsSignals(record)) continue;
    if (isWideObject(record)) {
      list.push_back(std::make_unique<ZCo447ObjValToSigMapper_String>(record.signalName, record.objectIndex,
                                                                      record.objectSubIndex));
    } else {
      list.push_back(std::make_unique<ZCo447ObjValToSigMapper_Int>(table, record.objectIndex, record.objectSubIndex));
    }
  }
  return true;
}

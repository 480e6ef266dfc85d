#include "nosl/ZCANopenDS447InteractionLayerFactory.h"

#include <memory>
#include <string>
#include <unordered_set>

#include "input/ZListEntry.h"
#include "nosl/ZCo447CalcSignalSizeFunction.h"
#include "nosl/ZCo447CalcSignalValueFunction.h"
#include "nosl/ZCo447GetStatusFunction.h"
#include "nosl/ZCo447MapperFunction_Int.h"
#include "nosl/ZCo447MapperFunction_String.h"
#include "nosl/ZCo447ObjValToSigMapper_Int.h"
#include "nosl/ZCo447ObjValToSigMapper_String.h"
#include "nosl/ZCoOnUploadResponseTester.h"

bool ZCANopenDS447InteractionLayerFactory::createFunctions(ZFunctionList& list, ZGeneratorInterface& generator) {
  auto* layer = dynamic_cast<ZCoNosl447InteractionLayer*>(&generator);
  if (layer == nullptr) return false;
  const ZSignalTable& table = layer->signalTable();

  createModeFunctions(list);
  list.push_back(std::make_unique<ZCoOnUploadResponseTester>(table));
  list.push_back(std::make_unique<ZCo447CalcSignalSizeFunction>());
  list.push_back(std::make_unique<ZCo447CalcSignalValueFunction>());

  // Every object with status signals gets one object handler, right after
  // the status handler of its first status signal; its kind follows that
  // signal's object size.
  std::unordered_set<std::string> objectsWithHandler;
  for (const ZListEntry& record : table) {
    if (record.signalReserved == 1) continue;
    if (record.commandOrStatus == 1) {
      if (isWideObject(record)) {
        list.push_back(std::make_unique<ZCo447MapperFunction_String>(record));
      } else {
        list.push_back(std::make_unique<ZCo447MapperFunction_Int>(record));
      }
      continue;
    }
    list.push_back(std::make_unique<ZCo447GetStatusFunction>(record));
    if (!objectsWithHandler.insert(objectKey(record)).second) continue;
    if (isWideObject(record)) {
      list.push_back(std::make_unique<ZCo447ObjValToSigMapper_String>(record.signalName, record.objectIndex,
                                                                      record.objectSubIndex));
    } else {
      list.push_back(std::make_unique<ZCo447ObjValToSigMapper_Int>(table, record.objectIndex, record.objectSubIndex));
    }
  }
  return true;
}

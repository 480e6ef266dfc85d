#include <memory>

#include "nosl/ZCANopenDS447InteractionLayerFactory.h"
#include "nosl/ZCo447OnStartTester.h"
#include "nosl/ZCo447VarSectionTester.h"
#include "nosl/ZCoCreate447SDOChannelTester.h"
#include "nosl/ZCoCreateAdditionalObjects.h"
#include "nosl/ZCoOnBootUpTester.h"
#include "nosl/ZCoOnConfigReadyTester.h"
#include "nosl/ZCoOnDownloadIndicationTester.h"
#include "nosl/ZCoOnDownloadResponseTester.h"
#include "nosl/ZCoOnEmergencyTester.h"
#include "nosl/ZCoOnErrorTester.h"
#include "nosl/ZCoOnLSSEventTester.h"
#include "nosl/ZCoOnNodeChangeStateTester.h"
#include "nosl/ZCoOnUploadIndicationTester.h"

void ZCANopenDS447InteractionLayerMode1Factory::createModeFunctions(FunctionList& list) {
  list.push_back(std::make_unique<ZCo447VarSectionTester>());
  list.push_back(std::make_unique<ZCoCreate447SDOChannelTester>());
  list.push_back(std::make_unique<ZCoCreateAdditionalObjects>());
  list.push_back(std::make_unique<ZCo447OnStartTester>());
  list.push_back(std::make_unique<ZCoOnErrorTester>());
  list.push_back(std::make_unique<ZCoOnDownloadResponseTester>());
  list.push_back(std::make_unique<ZCoOnNodeChangeStateTester>());
  list.push_back(std::make_unique<ZCoOnEmergencyTester>());
  list.push_back(std::make_unique<ZCoOnBootUpTester>());
  list.push_back(std::make_unique<ZCoOnConfigReadyTester>());
  list.push_back(std::make_unique<ZCoOnUploadIndicationTester>());
  list.push_back(std::make_unique<ZCoOnDownloadIndicationTester>());
  list.push_back(std::make_unique<ZCoOnLSSEventTester>());
}

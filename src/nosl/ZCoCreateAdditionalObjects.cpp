#include "nosl/ZCoCreateAdditionalObjects.h"

#include "core/RunSettings.h"
#include "framework/Markers.h"
#include "nosl/ZVirtualDevice_AudioSwitch.h"
#include "nosl/ZVirtualDevice_BlueLightFlasherModule.h"
#include "nosl/ZVirtualDevice_DiscreteInputs.h"
#include "nosl/ZVirtualDevice_DriverIdentification.h"
#include "nosl/ZVirtualDevice_EmergencyFreshAirSystem.h"
#include "nosl/ZVirtualDevice_FireExtinguishingSystem.h"
#include "nosl/ZVirtualDevice_GPS.h"
#include "nosl/ZVirtualDevice_HandicapController.h"
#include "nosl/ZVirtualDevice_IVNGatewayClass0.h"
#include "nosl/ZVirtualDevice_IVNGatewayClass1.h"
#include "nosl/ZVirtualDevice_IVNGatewayClass2.h"
#include "nosl/ZVirtualDevice_IVNGatewayClass3.h"
#include "nosl/ZVirtualDevice_NavigationSystem.h"
#include "nosl/ZVirtualDevice_PowerSupply.h"
#include "nosl/ZVirtualDevice_Printer.h"
#include "nosl/ZVirtualDevice_Radio.h"
#include "nosl/ZVirtualDevice_RadioController.h"
#include "nosl/ZVirtualDevice_RadioHandFreeConversation.h"
#include "nosl/ZVirtualDevice_RealTimeClock.h"
#include "nosl/ZVirtualDevice_RoofBarController.h"
#include "nosl/ZVirtualDevice_RoofBarLight.h"
#include "nosl/ZVirtualDevice_RoofBarSound.h"
#include "nosl/ZVirtualDevice_TariffDisplay.h"
#include "nosl/ZVirtualDevice_Taximeter.h"
#include "nosl/ZVirtualDevice_TaxisAlarmSystem.h"
#include "nosl/ZVirtualDevice_Terminal.h"
#include "nosl/ZVirtualDevice_TesterTool.h"
#include "util/Console.h"
#include "util/StringFormat.h"

namespace {

// The object the device bits live in.
constexpr uint32_t kVirtualDeviceObject = 0x6000;
// The profile number written into object 0x1000.
constexpr uint32_t kDeviceProfile = 447;

template <typename Device>
std::unique_ptr<ZVirtualDevice> makeDevice() {
  return std::make_unique<Device>();
}

struct DeviceMaker {
  VirtualDevice flag;
  std::unique_ptr<ZVirtualDevice> (*make)();
};

// In device code order, 0 to 26.
const DeviceMaker kDeviceMakers[] = {
    {VirtualDevice::ivn0, makeDevice<ZVirtualDevice_IVNGatewayClass0>},
    {VirtualDevice::ivn1, makeDevice<ZVirtualDevice_IVNGatewayClass1>},
    {VirtualDevice::ivn2, makeDevice<ZVirtualDevice_IVNGatewayClass2>},
    {VirtualDevice::ivn3, makeDevice<ZVirtualDevice_IVNGatewayClass3>},
    {VirtualDevice::fes, makeDevice<ZVirtualDevice_FireExtinguishingSystem>},
    {VirtualDevice::efas, makeDevice<ZVirtualDevice_EmergencyFreshAirSystem>},
    {VirtualDevice::pows, makeDevice<ZVirtualDevice_PowerSupply>},
    {VirtualDevice::dcri, makeDevice<ZVirtualDevice_DiscreteInputs>},
    {VirtualDevice::term, makeDevice<ZVirtualDevice_Terminal>},
    {VirtualDevice::gps, makeDevice<ZVirtualDevice_GPS>},
    {VirtualDevice::nsys, makeDevice<ZVirtualDevice_NavigationSystem>},
    {VirtualDevice::taxm, makeDevice<ZVirtualDevice_Taximeter>},
    {VirtualDevice::prnt, makeDevice<ZVirtualDevice_Printer>},
    {VirtualDevice::rtc, makeDevice<ZVirtualDevice_RealTimeClock>},
    {VirtualDevice::drid, makeDevice<ZVirtualDevice_DriverIdentification>},
    {VirtualDevice::tard, makeDevice<ZVirtualDevice_TariffDisplay>},
    {VirtualDevice::txas, makeDevice<ZVirtualDevice_TaxisAlarmSystem>},
    {VirtualDevice::rdio, makeDevice<ZVirtualDevice_Radio>},
    {VirtualDevice::ausw, makeDevice<ZVirtualDevice_AudioSwitch>},
    {VirtualDevice::rbl, makeDevice<ZVirtualDevice_RoofBarLight>},
    {VirtualDevice::rbs, makeDevice<ZVirtualDevice_RoofBarSound>},
    {VirtualDevice::blfm, makeDevice<ZVirtualDevice_BlueLightFlasherModule>},
    {VirtualDevice::rbc, makeDevice<ZVirtualDevice_RoofBarController>},
    {VirtualDevice::radc, makeDevice<ZVirtualDevice_RadioController>},
    {VirtualDevice::hndc, makeDevice<ZVirtualDevice_HandicapController>},
    {VirtualDevice::rhfc, makeDevice<ZVirtualDevice_RadioHandFreeConversation>},
    {VirtualDevice::tsto, makeDevice<ZVirtualDevice_TesterTool>},
};
static_assert(sizeof(kDeviceMakers) / sizeof(kDeviceMakers[0]) == kVirtualDeviceCount,
              "one maker per virtual device option");

const char* const kConsoleHeading = "The following virtual devices are supported by the tester:";

// Opening marker and generated-block begin come first, then this.
const char* const kPartA[] = {
    "//",
    "// This function creates the following objects for the tester.",
    "//  - 0x1000 : to specify the device itself",
    "//  - 0x6000 : to specify supported virtual devices",
    "//  - 0x1017 : to allow the heartbeat protocoll",
    "//",
    "void coGen_ODCreateAdditionalObjects()",
    "{",
    "  // ------- variables --------",
    "  DWORD val0x1000;             // value of object 0x1000",
    "  DWORD val0x6000;             // value of object 0x6000",
    "  // --------------------------",
    "",
    "  // set the object value for object 0x1000:",
};

// "  val0x1000 = 0x1bf;" comes first, then this.
const char* const kPartB[] = {
    "",
    "  // set the object value for object 0x6000. Supported virtual devices:",
};

// After the device comment lines, "  val0x6000 = " MASK ";" comes first,
// then this; the generated-block end and closing marker follow.
const char* const kPartC[] = {
    "",
    "  // create object 0x1000 and set the supported virtual devices",
    "  coODCreateUnsigned(0x1000, 0, kTypeUInt32, kRO, val0x1000, errCode);",
    "  if (errCode[0] != 0)",
    "  {",
    "    coGetLastError(errBuffer, elCount(errBuffer));",
    "    writeDbgLevel(kDbgError, \"<%s>: Error while creating object 0x1000: %s (Error-Code = %i)\", \"TESTER\", errBuffer, errCode[0]);",
    "    gStartNode = 0;",
    "  } // if  ",
    "",
    "  // create object 0x6000 and set the supported virtual devices",
    "  coODCreateArray(0x6000,kTypeUInt32,kRO,kRO,2,errCode);",
    "  if (errCode[0] != 0)",
    "  {",
    "    coGetLastError(errBuffer, elCount(errBuffer));",
    "    writeDbgLevel(kDbgError, \"<%s>: Error while creating object 0x6000: %s (Error-Code = %i)\", \"TESTER\", errBuffer, errCode[0]);",
    "    gStartNode = 0;",
    "  } // if  ",
    "",
    "  // Set the supported virtual devices in 0x6000 sub 1",
    "  coODSetUnsigned(0x6000,0x1,val0x6000,errCode);",
    "  if (errCode[0] != 0)",
    "  {",
    "    coGetLastError(errBuffer, elCount(errBuffer));",
    "    writeDbgLevel(kDbgError, \"<%s>: Error while setting object 0x6000sub1 value: %s (Error-Code = %i)\", \"TESTER\", errBuffer, errCode[0]);",
    "    gStartNode = 0;",
    "  } // if  ",
    "",
    "  // create object to allow the MPM to configure the Heartbeat",
    "  coODCreateUnsigned(0x1017, 0, kTypeUInt16, kRW, 0, errCode);",
    "  if (errCode[0] != 0)",
    "  {",
    "    coGetLastError(errBuffer, elCount(errBuffer));",
    "    writeDbgLevel(kDbgError, \"<%s>: Error while creating object 0x1017: %s (Error-Code = %i)\", \"TESTER\", errBuffer, errCode[0]);",
    "    gStartNode = 0;",
    "  } // if  ",
    "}",
};

}  // namespace

ZCoCreateAdditionalObjects::ZCoCreateAdditionalObjects() {
  for (const DeviceMaker& maker : kDeviceMakers) {
    if (runSettings().virtualDevice(maker.flag)) deviceList_.push_front(maker.make());
  }
  std::ostream& console = consoleOut();
  console << kConsoleHeading << "\n";
  for (const auto& device : deviceList_) console << "  - " << device->displayName() << "\n";
  console << "\n";
}

uint32_t ZCoCreateAdditionalObjects::virtualDeviceMask() const {
  uint32_t mask = 0;
  for (const auto& device : deviceList_) {
    if (device->profileObject() == kVirtualDeviceObject) mask |= uint32_t{1} << device->deviceCode();
  }
  return mask;
}

bool ZCoCreateAdditionalObjects::writeBody(TextStream& stream, ZGeneratorInterface&) {
  writeMarkerBegin(stream, functionMarker("coGen_ODCreateAdditionalObjects", ""));
  stream.lines(kPartA);
  stream.line(strFormat("  val0x1000 = 0x%x;", kDeviceProfile));
  stream.lines(kPartB);
  for (const auto& device : deviceList_) {
    if (device->profileObject() == kVirtualDeviceObject) stream.line("  //  - " + device->displayName());
  }
  stream.line(strFormat("  val0x6000 = 0x%x;", virtualDeviceMask()));
  stream.lines(kPartC);
  writeMarkerEnd(stream);
  return true;
}

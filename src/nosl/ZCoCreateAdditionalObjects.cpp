#include "nosl/ZCoCreateAdditionalObjects.h"

#include "core/RunSettings.h"
#include "framework/Markers.h"
#include "nosl/ZVirtualDevice.h"
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
#define CO447_DEVICE_MAKER(code, name, flag, displayText, usageText, object) \
  {VirtualDevice::flag, makeDevice<ZVirtualDevice_##name>},
    CO447_VIRTUAL_DEVICES(CO447_DEVICE_MAKER)
#undef CO447_DEVICE_MAKER
};

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

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GeneratedText.h"
#include "core/RunSettings.h"
#include "nosl/ZCoCreateAdditionalObjects.h"
#include "nosl/ZVirtualDevice.h"
#include "util/Console.h"

namespace {

using generatedtext::PieceText;
using generatedtext::writePiece;

// Display names by device code, as the script and the console show them.
const char* const kDisplayNames[kVirtualDeviceCount] = {
    "IVN gateway class 0", "IVN gateway class 1", "IVN gateway class 2", "IVN gateway class 3",
    "Fire extinguishing system", "Emergency fresh-air system", "Power supply", "Discrete inputs",
    "Terminal", "GPS", "Navigation system", "Taximeter", "Printer", "Real time clock",
    "Driver identification", "Tariff display", "Taxi alarm system", "Radio", "Audio switch",
    "Roof bar light", "Roof bar sound", "Blue light flasher module", "Roof bar controller",
    "Radio controller", "Handicap controller", "Radio hand-free conversation", "Tester/tool",
};

constexpr std::size_t kFixedLines = 17 + 3 + 41;

struct Made {
  std::string console;
  std::vector<std::string> devices;  // display names in list order
  uint32_t mask = 0;
  PieceText text;
};

Made make(const std::vector<VirtualDevice>& selected) {
  RunSettings settings;
  for (VirtualDevice device : selected) settings.setVirtualDevice(device, true);
  ScopedRunSettings scoped(settings);
  std::ostringstream console;
  Made made;
  {
    ConsoleCapture capture(console);
    ZCoCreateAdditionalObjects piece;
    for (const auto& device : piece.deviceList()) made.devices.push_back(device->displayName());
    made.mask = piece.virtualDeviceMask();
    made.text = writePiece(piece);
  }
  made.console = console.str();
  return made;
}

std::vector<VirtualDevice> allDevices() {
  std::vector<VirtualDevice> all;
  for (int code = 0; code < kVirtualDeviceCount; ++code) all.push_back(static_cast<VirtualDevice>(code));
  return all;
}

TEST(CreateAdditionalObjects, ConsoleListCommentLinesAndMask) {
  std::string allConsole = "The following virtual devices are supported by the tester:\n";
  std::vector<std::string> allComments;
  for (int code = kVirtualDeviceCount - 1; code >= 0; --code) {
    allConsole += std::string("  - ") + kDisplayNames[code] + "\n";
    allComments.push_back(std::string("  //  - ") + kDisplayNames[code]);
  }
  allConsole += "\n";

  const struct {
    const char* name;
    std::vector<VirtualDevice> selected;
    std::string console;
    std::vector<std::string> comments;
    const char* maskLine;
  } cases[] = {
      {"none", {}, "The following virtual devices are supported by the tester:\n\n", {}, "  val0x6000 = 0x0;"},
      {"taximeter and printer",
       {VirtualDevice::taxm, VirtualDevice::prnt},
       "The following virtual devices are supported by the tester:\n  - Printer\n  - Taximeter\n\n",
       {"  //  - Printer", "  //  - Taximeter"},
       "  val0x6000 = 0x1800;"},
      {"all", allDevices(), allConsole, allComments, "  val0x6000 = 0x7ffffff;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Made made = make(c.selected);
    EXPECT_EQ(made.console, c.console);
    const std::vector<std::string>& lines = made.text.lines;
    ASSERT_EQ(lines.size(), kFixedLines + c.comments.size());
    EXPECT_TRUE(made.text.result);
    EXPECT_TRUE(made.text.allLinesEndInCrLf);
    EXPECT_EQ(lines[16], "  // set the object value for object 0x1000:");
    EXPECT_EQ(lines[17], "  val0x1000 = 0x1bf;");
    EXPECT_EQ(lines[19], "  // set the object value for object 0x6000. Supported virtual devices:");
    const std::vector<std::string> comments(lines.begin() + 20, lines.begin() + 20 + c.comments.size());
    EXPECT_EQ(comments, c.comments);
    EXPECT_EQ(lines[20 + c.comments.size()], c.maskLine);
    EXPECT_EQ(lines[21 + c.comments.size()], "");
  }
}

TEST(CreateAdditionalObjects, EveryDeviceHasItsCodeNameAndBit) {
  for (int code = 0; code < kVirtualDeviceCount; ++code) {
    SCOPED_TRACE(code);
    const Made made = make({static_cast<VirtualDevice>(code)});
    ASSERT_EQ(made.devices.size(), 1u);
    EXPECT_EQ(made.devices[0], kDisplayNames[code]);
    EXPECT_EQ(made.mask, uint32_t{1} << code);
  }
  RunSettings settings;
  settings.setVirtualDevice(VirtualDevice::rtc, true);
  settings.setVirtualDevice(VirtualDevice::ivn0, true);
  ScopedRunSettings scoped(settings);
  std::ostringstream console;
  ConsoleCapture capture(console);
  ZCoCreateAdditionalObjects piece;
  ASSERT_EQ(piece.deviceList().size(), 2u);
  for (const auto& device : piece.deviceList()) EXPECT_EQ(device->profileObject(), 0x6000u);
  EXPECT_EQ(piece.deviceList()[0]->deviceCode(), 13);
  EXPECT_EQ(piece.deviceList()[1]->deviceCode(), 0);
}

// Each row of the device table makes the class named after it, which
// answers the row's code, name and object; the option and the usage name
// come from the same row (the usage text writes one name differently).
TEST(CreateAdditionalObjects, EveryRowMakesItsNamedClass) {
  struct Row {
    std::unique_ptr<ZVirtualDevice> device;
    int code;
    std::string option;
  };
  std::vector<Row> rows;
#define CO447_TEST_ROW(code, name, flag, displayText, usageText, object) \
  rows.push_back({std::make_unique<ZVirtualDevice_##name>(), code, "-vd_" #flag});
  CO447_VIRTUAL_DEVICES(CO447_TEST_ROW)
#undef CO447_TEST_ROW
  ASSERT_EQ(rows.size(), std::size_t{kVirtualDeviceCount});
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.option);
    EXPECT_EQ(row.device->deviceCode(), static_cast<int32_t>(i));
    EXPECT_EQ(row.device->displayName(), kDisplayNames[i]);
    EXPECT_EQ(row.device->profileObject(), 0x6000u);
    EXPECT_EQ(row.option, kVirtualDeviceOptions[i].option);
    const std::string usageName = row.option == "-vd_rtc" ? "Real time clock (RTC)" : kDisplayNames[i];
    EXPECT_EQ(kVirtualDeviceOptions[i].usageName, usageName);
  }
}

}  // namespace

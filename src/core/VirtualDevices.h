// The CiA 447 virtual devices the tester node can claim, in one table. Each
// row gives, in this order:
//   - the device code, 0 to 26: the device's bit in object 0x6000
//     sub-index 1, and its place in the usage text (rows go in code order);
//   - the name of the device's class, after "ZVirtualDevice_";
//   - its flag: the option is "-vd_" and the flag;
//   - the name the script and the console show;
//   - the name the usage text shows (it differs in one row);
//   - the object the device's bit lives in.
// CO447_VIRTUAL_DEVICES(ROW) expands ROW once per row, so that the option
// table below, the device classes and the list of what the tester creates
// all come from these rows.
#pragma once

#include <array>

#define CO447_VIRTUAL_DEVICES(ROW) \
  ROW( 0, IVNGatewayClass0,          ivn0, "IVN gateway class 0",          "IVN gateway class 0",          0x6000) \
  ROW( 1, IVNGatewayClass1,          ivn1, "IVN gateway class 1",          "IVN gateway class 1",          0x6000) \
  ROW( 2, IVNGatewayClass2,          ivn2, "IVN gateway class 2",          "IVN gateway class 2",          0x6000) \
  ROW( 3, IVNGatewayClass3,          ivn3, "IVN gateway class 3",          "IVN gateway class 3",          0x6000) \
  ROW( 4, FireExtinguishingSystem,   fes,  "Fire extinguishing system",    "Fire extinguishing system",    0x6000) \
  ROW( 5, EmergencyFreshAirSystem,   efas, "Emergency fresh-air system",   "Emergency fresh-air system",   0x6000) \
  ROW( 6, PowerSupply,               pows, "Power supply",                 "Power supply",                 0x6000) \
  ROW( 7, DiscreteInputs,            dcri, "Discrete inputs",              "Discrete inputs",              0x6000) \
  ROW( 8, Terminal,                  term, "Terminal",                     "Terminal",                     0x6000) \
  ROW( 9, GPS,                       gps,  "GPS",                          "GPS",                          0x6000) \
  ROW(10, NavigationSystem,          nsys, "Navigation system",            "Navigation system",            0x6000) \
  ROW(11, Taximeter,                 taxm, "Taximeter",                    "Taximeter",                    0x6000) \
  ROW(12, Printer,                   prnt, "Printer",                      "Printer",                      0x6000) \
  ROW(13, RealTimeClock,             rtc,  "Real time clock",              "Real time clock (RTC)",        0x6000) \
  ROW(14, DriverIdentification,      drid, "Driver identification",        "Driver identification",        0x6000) \
  ROW(15, TariffDisplay,             tard, "Tariff display",               "Tariff display",               0x6000) \
  ROW(16, TaxisAlarmSystem,          txas, "Taxi alarm system",            "Taxi alarm system",            0x6000) \
  ROW(17, Radio,                     rdio, "Radio",                        "Radio",                        0x6000) \
  ROW(18, AudioSwitch,               ausw, "Audio switch",                 "Audio switch",                 0x6000) \
  ROW(19, RoofBarLight,              rbl,  "Roof bar light",               "Roof bar light",               0x6000) \
  ROW(20, RoofBarSound,              rbs,  "Roof bar sound",               "Roof bar sound",               0x6000) \
  ROW(21, BlueLightFlasherModule,    blfm, "Blue light flasher module",    "Blue light flasher module",    0x6000) \
  ROW(22, RoofBarController,         rbc,  "Roof bar controller",          "Roof bar controller",          0x6000) \
  ROW(23, RadioController,           radc, "Radio controller",             "Radio controller",             0x6000) \
  ROW(24, HandicapController,        hndc, "Handicap controller",          "Handicap controller",          0x6000) \
  ROW(25, RadioHandFreeConversation, rhfc, "Radio hand-free conversation", "Radio hand-free conversation", 0x6000) \
  ROW(26, TesterTool,                tsto, "Tester/tool",                  "Tester/tool",                  0x6000)

// One per row, in code order: VirtualDevice::taxm has code 11.
enum class VirtualDevice : int {
#define CO447_DEVICE_FLAG(code, name, flag, displayText, usageText, object) flag,
  CO447_VIRTUAL_DEVICES(CO447_DEVICE_FLAG)
#undef CO447_DEVICE_FLAG
};

#define CO447_DEVICE_IN_ORDER(code, name, flag, displayText, usageText, object) \
  static_assert(static_cast<int>(VirtualDevice::flag) == (code), "rows in device code order");
CO447_VIRTUAL_DEVICES(CO447_DEVICE_IN_ORDER)
#undef CO447_DEVICE_IN_ORDER

#define CO447_DEVICE_COUNT(code, name, flag, displayText, usageText, object) +1
constexpr int kVirtualDeviceCount = 0 CO447_VIRTUAL_DEVICES(CO447_DEVICE_COUNT);
#undef CO447_DEVICE_COUNT

struct VirtualDeviceOption {
  const char* option;     // "-vd_taxm"
  const char* usageName;  // "Taximeter", as the usage text names it
};

// Indexed by VirtualDevice.
inline constexpr std::array<VirtualDeviceOption, kVirtualDeviceCount> kVirtualDeviceOptions = {{
#define CO447_DEVICE_OPTION(code, name, flag, displayText, usageText, object) {"-vd_" #flag, usageText},
    CO447_VIRTUAL_DEVICES(CO447_DEVICE_OPTION)
#undef CO447_DEVICE_OPTION
}};

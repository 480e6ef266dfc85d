#include "core/RunSettings.h"

const std::array<VirtualDeviceOption, kVirtualDeviceCount> kVirtualDeviceOptions = {{
    {"-vd_ivn0", "IVN gateway class 0"},
    {"-vd_ivn1", "IVN gateway class 1"},
    {"-vd_ivn2", "IVN gateway class 2"},
    {"-vd_ivn3", "IVN gateway class 3"},
    {"-vd_fes", "Fire extinguishing system"},
    {"-vd_efas", "Emergency fresh-air system"},
    {"-vd_pows", "Power supply"},
    {"-vd_dcri", "Discrete inputs"},
    {"-vd_term", "Terminal"},
    {"-vd_gps", "GPS"},
    {"-vd_nsys", "Navigation system"},
    {"-vd_taxm", "Taximeter"},
    {"-vd_prnt", "Printer"},
    {"-vd_rtc", "Real time clock (RTC)"},
    {"-vd_drid", "Driver identification"},
    {"-vd_tard", "Tariff display"},
    {"-vd_txas", "Taxi alarm system"},
    {"-vd_rdio", "Radio"},
    {"-vd_ausw", "Audio switch"},
    {"-vd_rbl", "Roof bar light"},
    {"-vd_rbs", "Roof bar sound"},
    {"-vd_blfm", "Blue light flasher module"},
    {"-vd_rbc", "Roof bar controller"},
    {"-vd_radc", "Radio controller"},
    {"-vd_hndc", "Handicap controller"},
    {"-vd_rhfc", "Radio hand-free conversation"},
    {"-vd_tsto", "Tester/tool"},
}};

RunSettings& runSettings() {
  static RunSettings settings;
  return settings;
}

ScopedRunSettings::ScopedRunSettings(const RunSettings& settings) : saved_(runSettings()) {
  runSettings() = settings;
}

ScopedRunSettings::~ScopedRunSettings() { runSettings() = saved_; }

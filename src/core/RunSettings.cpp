#include "core/RunSettings.h"

RunSettings& runSettings() {
  static RunSettings settings;
  return settings;
}

ScopedRunSettings::ScopedRunSettings(const RunSettings& settings) : saved_(runSettings()) {
  runSettings() = settings;
}

ScopedRunSettings::~ScopedRunSettings() { runSettings() = saved_; }

#include "macros/LocalClock.h"

#include <cstdlib>
#include <ctime>

SourceDateEpoch readSourceDateEpoch(std::string& text, long long& seconds) {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  text = value == nullptr ? std::string() : std::string(value);
  if (text.empty()) return SourceDateEpoch::Unset;
  seconds = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return SourceDateEpoch::Malformed;
    seconds = seconds * 10 + (c - '0');
    if (seconds > kLatestSourceDateEpoch) return SourceDateEpoch::Malformed;
  }
  return SourceDateEpoch::Valid;
}

ZLocalTime systemLocalTime() {
  ZLocalTime result;
  std::tm broken{};
  std::string text;
  long long seconds = 0;
  std::time_t moment = 0;
  if (readSourceDateEpoch(text, seconds) == SourceDateEpoch::Valid) {
    moment = static_cast<std::time_t>(seconds);
    if (gmtime_r(&moment, &broken) == nullptr) return result;
  } else {
    moment = std::time(nullptr);
    if (moment == static_cast<std::time_t>(-1) || localtime_r(&moment, &broken) == nullptr) return result;
  }
  result.year = broken.tm_year + 1900;
  result.month = broken.tm_mon + 1;
  result.day = broken.tm_mday;
  result.hour = broken.tm_hour;
  result.minute = broken.tm_min;
  return result;
}

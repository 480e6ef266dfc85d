#include "macros/LocalClock.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace {

// SOURCE_DATE_EPOCH, the convention of reproducible builds: a non-negative
// decimal number of seconds since 1970-01-01 00:00 UTC. False when it is
// not set or is anything else.
bool sourceDateEpoch(std::time_t& moment) {
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (text == nullptr || *text == '\0') return false;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
  }
  errno = 0;
  const unsigned long long seconds = std::strtoull(text, nullptr, 10);
  if (errno != 0) return false;
  moment = static_cast<std::time_t>(seconds);
  return moment >= 0 && static_cast<unsigned long long>(moment) == seconds;
}

}  // namespace

ZLocalTime systemLocalTime() {
  ZLocalTime result;
  std::tm broken{};
  std::time_t moment = 0;
  if (sourceDateEpoch(moment)) {
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

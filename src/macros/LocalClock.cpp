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

namespace {

// The date and time in UTC of a moment given in seconds since 1970, in the
// proleptic Gregorian calendar, for every moment up to the year 9999 (the
// C library of Windows stops at 3000).
LocalTime universalTime(long long seconds) {
  LocalTime result;
  long long days = seconds / 86400;
  const long long secondOfDay = seconds % 86400;
  result.hour = static_cast<int>(secondOfDay / 3600);
  result.minute = static_cast<int>(secondOfDay % 3600 / 60);
  // Days counted from 0000-03-01, in eras of 400 years (146097 days).
  days += 719468;
  const long long era = days / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
  result.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  result.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  result.year = static_cast<int>(yearOfEra + era * 400 + (result.month <= 2 ? 1 : 0));
  return result;
}

}  // namespace

LocalTime systemLocalTime() {
  LocalTime result;
  std::tm broken{};
  std::string text;
  long long seconds = 0;
  std::time_t moment = 0;
  if (readSourceDateEpoch(text, seconds) == SourceDateEpoch::Valid) return universalTime(seconds);
  moment = std::time(nullptr);
  if (moment == static_cast<std::time_t>(-1) || localtime_r(&moment, &broken) == nullptr) return result;
  result.year = broken.tm_year + 1900;
  result.month = broken.tm_mon + 1;
  result.day = broken.tm_mday;
  result.hour = broken.tm_hour;
  result.minute = broken.tm_min;
  return result;
}

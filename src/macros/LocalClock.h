// The local date and time the header records as its generation moment.
// The clock is a plain function so that tests can fix the moment.
#pragma once

#include <functional>
#include <string>

struct LocalTime {
  // The values stand for a time that could not be determined.
  int year = 0;
  int month = 0;   // 1 to 12
  int day = 0;     // 1 to 31
  int hour = -1;   // 0 to 23
  int minute = -1;
};

using LocalClock = std::function<LocalTime()>;

// The latest moment SOURCE_DATE_EPOCH may name: 9999-12-31 23:59:59 UTC,
// the last second a four-digit year can show.
constexpr long long kLatestSourceDateEpoch = 253402300799;

// What SOURCE_DATE_EPOCH, the convention of reproducible builds, holds.
enum class SourceDateEpoch {
  Unset,      // not set, or empty
  Valid,      // a decimal integer from 0 to kLatestSourceDateEpoch (digits only)
  Malformed,  // anything else: a sign, a blank, other characters, a larger number
};
// Reads SOURCE_DATE_EPOCH; text gets its value as set, seconds the moment
// when it is valid.
SourceDateEpoch readSourceDateEpoch(std::string& text, long long& seconds);

// Reads the system clock once and breaks the moment down in local time.
// Where SOURCE_DATE_EPOCH is valid, that moment is taken instead, in UTC,
// so that two runs on one sheet write the same header. (A run refuses a
// malformed value before it starts.)
LocalTime systemLocalTime();

// The local date and time the header records as its generation moment.
// The clock is a plain function so that tests can fix the moment.
#pragma once

#include <functional>

struct ZLocalTime {
  // The values stand for a time that could not be determined.
  int year = 0;
  int month = 0;   // 1 to 12
  int day = 0;     // 1 to 31
  int hour = -1;   // 0 to 23
  int minute = -1;
};

using ZLocalClock = std::function<ZLocalTime()>;

// Reads the system clock once and breaks the moment down in local time.
// Where SOURCE_DATE_EPOCH holds a non-negative decimal integer (the
// convention of reproducible builds), that moment is taken instead, in UTC,
// so that two runs on one sheet write the same header.
ZLocalTime systemLocalTime();

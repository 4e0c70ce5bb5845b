// Local time, with a fixed time for tests and the driver.
#pragma once

#include <optional>

namespace platform {

struct LocalTime {
  int year = 0, month = 0, day = 0;  // month 1..12, day 1..31
  int weekday = 0;                   // 0 = Sunday
  int hour = 0, minute = 0, second = 0;
};

LocalTime Now();
// While set, Now() returns this time instead of the clock's.
void SetFixedTime(std::optional<LocalTime> time);

}  // namespace platform

// TKXTime, the element that formats the local date and time for file headers and
// dated backup names.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"
#include "runtime/platform/clock.h"

// Replaces, in `format`, every "Y" (year), "M" (month), "W" (weekday, 0 = Sunday),
// "D" (day), "h" (hour), "m" (minute) and "s" (second) by its field, at least two
// digits wide; every other character stays. "D.M.Y" gives 05.12.2026.
std::string FormatTimeStamp(const std::string& format, const platform::LocalTime& time);

class TKXTime : public TKXObject {
 public:
  std::string Format;  // "D.M.Y" or "DMY_hms" in the schemes

  // The current local time, read once, formatted by Format.
  void varTime(TData& result, uint16_t index);
};

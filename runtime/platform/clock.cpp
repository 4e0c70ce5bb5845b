#include "runtime/platform/clock.h"

#include <ctime>

namespace platform {
namespace {
std::optional<LocalTime> g_fixed;
}

LocalTime Now() {
  if (g_fixed) return *g_fixed;
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_wday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void SetFixedTime(std::optional<LocalTime> time) { g_fixed = time; }

}  // namespace platform

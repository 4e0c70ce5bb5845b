#include "runtime/platform/clock.h"

#include <windows.h>

namespace platform {
namespace {
std::optional<LocalTime> g_fixed;
}

LocalTime Now() {
  if (g_fixed) return *g_fixed;
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond};
}

void SetFixedTime(std::optional<LocalTime> time) { g_fixed = time; }

}  // namespace platform

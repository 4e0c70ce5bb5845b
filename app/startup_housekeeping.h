// The start-up housekeeping, run once at every start through input 0: the settings into
// global variables, the program folder into VELTR_dir, the program's folders, the backups
// of the four targets' configuration files and of the lists, and the window-position keys.
// Each of its steps finishes before the next begins.
#pragma once

#include "runtime/scheme.h"

class StartupHousekeeping : public TScheme {
 public:
  enum Input : uint16_t { kDoStart = 0, kInputCount };

  explicit StartupHousekeeping(TKXWin* parent);
};

// The start-up housekeeping, run once at every start through input 0: settings into
// global variables, the program folder, folders, backups and the window-position keys.
#pragma once

#include "runtime/scheme.h"

class StartupHousekeeping : public TScheme {
 public:
  explicit StartupHousekeeping(TKXWin* parent) : TScheme(parent) { Port.SetInputCount(1); }
};

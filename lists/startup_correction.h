// The start-up correction of the list files and the search for doubled addresses,
// run once at every start through input 0 as the settings say.
#pragma once

#include "runtime/scheme.h"

class StartupCorrection : public TScheme {
 public:
  explicit StartupCorrection(TKXWin* parent) : TScheme(parent) { Port.SetInputCount(1); }
};

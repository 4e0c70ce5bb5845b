// SettingsReload: loads the settings from "Veltra.ini" into their global variables again,
// section by section, after "Default Setting" has rewritten them ("saveposition" stays as
// it was loaded at start). Input 0.
#pragma once

#include "runtime/scheme.h"

class SettingsReload : public TScheme {
 public:
  enum Input : uint16_t { kDoReload = 0, kInputCount };

  explicit SettingsReload(TKXWin* parent);
};

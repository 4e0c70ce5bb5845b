// PositionTidy: at every start, the window's size keys are removed from section "Form" of
// "Veltra.ini", and the whole section unless "Save Position" is on (saveposition is
// exactly 1): the window opens at its built-in size, and at its last place only while
// the option is on.
// Input 0: tidy the keys.
#pragma once

#include "runtime/scheme.h"

class PositionTidy : public TScheme {
 public:
  enum Input : uint16_t { kDoTidy = 0, kInputCount };

  explicit PositionTidy(TKXWin* parent);
};

// KwfStartupBackup: the dated backup of the target's configuration file at every start.
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "runtime/scheme.h"

class KwfStartupBackup : public TScheme {
 public:
  explicit KwfStartupBackup(TKXWin* parent);

  void doBackup(TData& value, uint16_t index);
};

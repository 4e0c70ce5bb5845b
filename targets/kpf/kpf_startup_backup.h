// KpfStartupBackup: the dated backup of the target's configuration file at every start.
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "runtime/scheme.h"

class KpfStartupBackup : public TScheme {
 public:
  explicit KpfStartupBackup(TKXWin* parent);

  void doBackup(TData& value, uint16_t index);
};

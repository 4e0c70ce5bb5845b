// HostsStartupBackup: the dated backup of the target's configuration file at every start.
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "runtime/scheme.h"

class HostsStartupBackup : public TScheme {
 public:
  explicit HostsStartupBackup(TKXWin* parent);

  void doBackup(TData& value, uint16_t index);
};

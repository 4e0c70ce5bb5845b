// AofStartupBackup: the backup of the Outpost configuration at every start, under the name
// the setting gives it: "NAME.old" the first time, then dated copies in Backup\AOF, logged
// in Logs\AOF.log and pruned to `aof_back`.
//
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "targets/common/startup_backup.h"

class AofStartupBackup : public TTargetStartupBackup {
 public:
  explicit AofStartupBackup(TKXWin* parent);
};

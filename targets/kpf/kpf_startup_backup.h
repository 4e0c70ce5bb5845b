// KpfStartupBackup: the backup of "update.cfg" at every start: "update.cfg.old" the first
// time, then dated copies in Backup\KPF, logged in Logs\KPF.log and pruned to `kpf_back`.
//
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "targets/common/startup_backup.h"

class KpfStartupBackup : public TTargetStartupBackup {
 public:
  explicit KpfStartupBackup(TKXWin* parent);
};

// KwfStartupBackup: the backup of "winroute.cfg" at every start: "winroute.cfg.old" the
// first time, then dated copies in Backup\KWF, logged in Logs\KWF.log and pruned to
// `kwf_back`.
//
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "targets/common/startup_backup.h"

class KwfStartupBackup : public TTargetStartupBackup {
 public:
  explicit KwfStartupBackup(TKXWin* parent);
};

// HostsStartupBackup: the backup of the hosts file at every start: "hosts.old" the first
// time, then dated copies in Backup\Hosts, logged in Logs\Hosts.log and pruned to
// `hosts_back`.
//
// Input 0 doBackup. Event 0 onNotFound.
#pragma once

#include "targets/common/startup_backup.h"

class HostsStartupBackup : public TTargetStartupBackup {
 public:
  explicit HostsStartupBackup(TKXWin* parent);
};

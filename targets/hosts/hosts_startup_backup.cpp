#include "targets/hosts/hosts_startup_backup.h"

HostsStartupBackup::HostsStartupBackup(TKXWin* parent)
    : TTargetStartupBackup(parent, BackupSetupOf(Info(TargetId::Hosts))) {}

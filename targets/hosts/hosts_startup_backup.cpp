#include "targets/hosts/hosts_startup_backup.h"

HostsStartupBackup::HostsStartupBackup(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&HostsStartupBackup::doBackup>(*this);
}

void HostsStartupBackup::doBackup(TData&, uint16_t) {}

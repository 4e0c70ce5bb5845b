#include "targets/hosts/hosts_startup_backup.h"

namespace {
// The folder as start-up makes it, "Backup\Hosts": a file system that tells case apart
// would otherwise see a different, missing folder.
constexpr TBackupSetup kSetup{"p_hosts",        "hosts", "hosts_back", "hosts", "Backup\\Hosts",
                              "Logs\\Hosts.log", "File 'hosts' not found!"};
}  // namespace

HostsStartupBackup::HostsStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, kSetup) {}

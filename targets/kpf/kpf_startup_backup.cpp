#include "targets/kpf/kpf_startup_backup.h"

namespace {
// The folder as start-up makes it, "Backup\KPF": a file system that tells case apart would
// otherwise see a different, missing folder.
constexpr TBackupSetup kSetup{"p_kpf",        "update_cfg", "kpf_back", "update.cfg", "Backup\\KPF",
                              "Logs\\KPF.log", "File 'update.cfg' not found!"};
}  // namespace

KpfStartupBackup::KpfStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, kSetup) {}

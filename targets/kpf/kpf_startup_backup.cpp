#include "targets/kpf/kpf_startup_backup.h"

KpfStartupBackup::KpfStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, BackupSetupOf(Info(TargetId::Kpf))) {}

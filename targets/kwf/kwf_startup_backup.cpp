#include "targets/kwf/kwf_startup_backup.h"

KwfStartupBackup::KwfStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, BackupSetupOf(Info(TargetId::Kwf))) {}

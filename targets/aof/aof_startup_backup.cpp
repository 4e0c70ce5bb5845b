#include "targets/aof/aof_startup_backup.h"

AofStartupBackup::AofStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, BackupSetupOf(Info(TargetId::Aof))) {}

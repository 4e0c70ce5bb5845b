#include "targets/aof/aof_startup_backup.h"

AofStartupBackup::AofStartupBackup(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&AofStartupBackup::doBackup>(*this);
}

void AofStartupBackup::doBackup(TData&, uint16_t) {}

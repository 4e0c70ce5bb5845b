#include "targets/kwf/kwf_startup_backup.h"

KwfStartupBackup::KwfStartupBackup(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&KwfStartupBackup::doBackup>(*this);
}

void KwfStartupBackup::doBackup(TData&, uint16_t) {}

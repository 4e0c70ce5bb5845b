#include "targets/kpf/kpf_startup_backup.h"

KpfStartupBackup::KpfStartupBackup(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&KpfStartupBackup::doBackup>(*this);
}

void KpfStartupBackup::doBackup(TData&, uint16_t) {}

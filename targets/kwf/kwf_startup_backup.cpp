#include "targets/kwf/kwf_startup_backup.h"

namespace {
constexpr TBackupSetup kSetup{"p_kwf",        "winroute_cfg", "kwf_back", "winroute.cfg", "Backup\\KWF",
                              "Logs\\KWF.log", "File 'winroute.cfg' not found!"};
}  // namespace

KwfStartupBackup::KwfStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, kSetup) {}

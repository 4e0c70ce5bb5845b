#include "targets/aof/aof_startup_backup.h"

namespace {
constexpr TBackupSetup kSetup{"p_aof",        "config_ini", "aof_back", nullptr, "Backup\\AOF",
                              "Logs\\AOF.log", "Outpost 'configuration file' not found!"};
}  // namespace

AofStartupBackup::AofStartupBackup(TKXWin* parent) : TTargetStartupBackup(parent, kSetup) {}

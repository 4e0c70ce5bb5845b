// TTargetStartupBackup: the dated backup of a target's file at every start, shared by the
// four targets. While the target is switched on, the first start copies the file to the
// same name with ".old" beside it; every later start copies it to the target's backup
// folder under its name and the time ("winroute.cfg.05122026_095312"), notes that name in
// the target's log and deletes the oldest backups beyond the number to keep. The file is the
// one the settings name, whatever its name ("myhosts" gives "myhosts.old" and
// "myhosts.05122026_095312"). A file that is missing is told, with what the user can do;
// the target stays on, so that a file that is back (a drive mounted again) is backed up
// at the next start and exported to without the user having to save it again.
//
// Where the ".old" copy cannot be made beside the file for want of permission (/etc for the
// hosts file, as a normal user), the system is asked for its permission in its own prompt,
// once: this is the only start that finds no ".old" anywhere. When the request is cancelled
// or refused, or the copy fails otherwise, it is made in the backup folder
// ("Backup\Hosts\hosts.old") and the user is told that once; that start goes on to the
// dated backup and its log line, and later starts find the ".old" copy there and say nothing.
//
// A mode without a window that writes the target's file (`veltrane --export`) runs the backup
// only when there is no ".old" yet (doFirstBackup): the file is then kept as it was before the
// program first wrote it, as a start of the window would have kept it.
//
// Inputs 0 doBackup, 1 doFirstBackup. Event 0 onNotFound.
#pragma once

#include <string>
#include <vector>

#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "targets/target_catalog.h"
#include "widgets/message.h"

struct TBackupSetup {
  const char* switch_variable;  // p_kwf: the backup runs only when it is 1
  const char* path_variable;    // winroute_cfg: the file to back up
  const char* count_variable;   // kwf_back: how many dated backups to keep
  const char* folder;           // "Backup\KWF", below the program folder
  const char* log;              // "Logs\KWF.log", below the program folder
  const char* not_found;        // the first words when the file is missing, "%1" its name
  const char* title;            // "Kerio Winroute Firewall", as the settings page names it
};

// The backup of a target of the catalog (which has one).
inline TBackupSetup BackupSetupOf(const TTargetInfo& target) {
  const TTargetBackup& backup = *target.backup;
  return {target.switch_key, target.path_key,  backup.count_key, backup.folder,
          backup.log,        backup.not_found, target.title};
}

// The log entries to delete, oldest first, so that `keep` entries remain (none below 0).
std::vector<std::string> SurplusEntries(const std::vector<std::string>& log, int32_t keep);
// A log entry names a file in the backup folder only when it is a bare file name: an
// entry with a folder part (or "." or "..") is dropped from the log, never deleted.
bool IsBareFileName(const std::string& entry);

class TTargetStartupBackup : public TScheme {
 public:
  enum Input : uint16_t { kDoBackup = 0, kDoFirstBackup = 1, kInputCount };
  enum Event : uint16_t { kOnNotFound = 0 };

  void doBackup(TData& value, uint16_t index);
  void doFirstBackup(TData& value, uint16_t index);

 protected:
  TTargetStartupBackup(TKXWin* parent, const TBackupSetup& setup);

 private:
  // The file of that name in `folder`: the one spelled so, else the only one whose name
  // differs in ASCII case alone (as Windows finds it); empty when there is none.
  // A folder that cannot be read finds nothing and sets `unreadable` to the reason.
  static std::string FindOne(const std::string& folder, const std::string& name, std::string* unreadable = nullptr);
  void Backup(bool only_first);
  bool Copy(const std::string& from, const std::string& to);
  // The first copy beside the file, with the system's permission where the user has none;
  // false with the reason in `why`.
  bool CopyBeside(const std::string& from, const std::string& to, std::string& why);
  bool SaveLog(const std::string& path, const std::vector<std::string>& log);
  void Tell(const std::string& text);
  void Warn(const std::string& text);

  TBackupSetup setup_;
  TKXGlobalVar &switch_, &path_, &count_, &program_dir_;
  TKXMessage& not_found_;
  TKXMessage& error_;
  TKXMessage& warning_;
};

#include "targets/common/startup_backup.h"

#include <algorithm>

#include "elements/files/time_stamp.h"
#include "elements/strings/if_else.h"
#include "runtime/lines.h"
#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"
#include "targets/common/target_messages.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

std::vector<std::string> SurplusEntries(const std::vector<std::string>& log, int32_t keep) {
  const size_t kept = size_t(std::max(keep, 0));
  if (log.size() <= kept) return {};
  return std::vector<std::string>(log.begin(), log.end() - std::ptrdiff_t(kept));
}

bool IsBareFileName(const std::string& entry) {
  return !entry.empty() && entry != "." && entry != ".." && entry.find_first_of("\\/:") == std::string::npos;
}

TTargetStartupBackup::TTargetStartupBackup(TKXWin* parent, const TBackupSetup& setup)
    : TScheme(parent),
      setup_(setup),
      switch_(New<TKXGlobalVar>()),
      path_(New<TKXGlobalVar>()),
      count_(New<TKXGlobalVar>()),
      program_dir_(New<TKXGlobalVar>()),
      not_found_(New<TKXMessage>()),
      error_(New<TKXMessage>()),
      warning_(New<TKXMessage>()) {
  switch_.SetName(setup.switch_variable);
  path_.SetName(setup.path_variable);
  count_.SetName(setup.count_variable);
  program_dir_.SetName("VELTR_dir");
  not_found_.Caption = "Error:";
  not_found_.Type = kButtonsOk;
  not_found_.Icon = kIconWarning;
  AsFailureBox(error_);
  warning_.Caption = kWarningCaption;
  warning_.Icon = kIconWarning;

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoBackup] = MakeLink<&TTargetStartupBackup::doBackup>(*this);
  Port.onInput[kDoFirstBackup] = MakeLink<&TTargetStartupBackup::doFirstBackup>(*this);
}

std::string TTargetStartupBackup::FindOne(const std::string& folder, const std::string& name, std::string* unreadable) {
  std::string found;
  int count = 0;
  if (folder.empty() || name.empty()) return found;
  std::vector<platform::DirEntry> entries;
  std::string why;
  if (!platform::ListDirectory(folder, entries, &why)) {
    if (unreadable) *unreadable = why;
    return found;
  }
  for (const platform::DirEntry& entry : entries) {
    if (entry.is_directory || !SameName(entry.name, name)) continue;
    if (entry.name == name) return folder + entry.name;
    ++count;
    found = folder + entry.name;
  }
  return count == 1 ? found : std::string();
}

void TTargetStartupBackup::doBackup(TData&, uint16_t) { Backup(false); }

void TTargetStartupBackup::doFirstBackup(TData&, uint16_t) { Backup(true); }

void TTargetStartupBackup::Backup(bool only_first) {
  if (!IsOne(switch_.Value())) return;
  const std::string dir = AsText(program_dir_.Value());
  const std::string path = AsText(path_.Value());
  const size_t cut = path.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  std::string unreadable;
  const std::string file = FindOne(folder, path.substr(folder.size()), &unreadable);
  if (!unreadable.empty()) {
    // A folder that cannot be read now is no sign that the file is gone.
    Tell(CannotBackUpMessage(folder, unreadable));
    return;
  }
  if (file.empty()) {
    if (only_first) return;  // nothing to keep: the export makes the file
    // Told, and nothing more: the target stays as the user saved it.
    std::string heading = setup_.not_found;
    if (const size_t at = heading.find("%1"); at != std::string::npos)
      heading.replace(at, 2, path.substr(folder.size()));
    TData message = MakeText(BackupNotFoundMessage(heading, path, setup_.title));
    not_found_.doMessage(message, 0);
    FireEvent(EventOutput(kOnNotFound));
    return;
  }
  const std::string name = file.substr(folder.size());
  {
    // A file that cannot be read (a FIFO, one the user may not read) has no copy anywhere.
    const platform::FileReader source(file);
    if (source.State() != platform::FileReader::Result::Open) {
      Tell(CannotBackUpMessage(file, source.Why()));
      return;
    }
  }

  const std::string backups = dir + setup_.folder + "\\";
  // The first start keeps the file as it was before the program ever touched it, beside
  // it; where the user may not write (the system's hosts file, run as a normal user), in
  // the backup folder, where later starts find it. Only a first copy made beside the file
  // ends the first start; otherwise the dated backup follows at once, whatever became of
  // the first copy.
  const std::string old_name = name + ".old";
  std::string old_unreadable;
  const bool no_old =
      FindOne(folder, old_name, &old_unreadable).empty() && FindOne(backups, old_name, &old_unreadable).empty();
  if (!old_unreadable.empty()) {
    Tell(CannotBackUpMessage(backups, old_unreadable));
    return;
  }
  if (only_first && !no_old) return;
  if (no_old) {
    std::string why;
    if (CopyBeside(file, file + ".old", why)) return;
    std::string why_here;
    if (platform::CopyFileOver(file, backups + old_name, &why_here)) {
      Warn(OldCopyMovedMessage(file, file + ".old", why, backups + old_name));
    } else {
      Tell(BackupFailedMessage(file, file + ".old", why) + "\r\n" +
           BackupFailedMessage(file, backups + old_name, why_here));
    }
  }

  // The log beside the program, however the program was started: its lines, or none when
  // there is none yet. A log that cannot be read is never written anew from nothing, which
  // would forget the backups it names, so that they were never pruned.
  const std::string log_path = dir + setup_.log;
  platform::FileContent log_file = platform::ReadWholeFile(log_path);
  if (log_file.result == platform::FileContent::Result::Unreadable) {
    Tell(CannotBackUpMessage(log_path, log_file.why));
    return;
  }
  std::vector<std::string> log = SplitLines(log_file.bytes, LineBreaks::Any);

  const std::string backup = name + "." + FormatTimeStamp("DMY_hms", platform::Now());
  // A log that names no backup that is not there: a failed copy is told and not logged.
  if (Copy(file, backups + backup)) {
    // A second start within the same second replaced that backup: it is noted once, as the newest.
    log.erase(std::remove(log.begin(), log.end(), backup), log.end());
    log.push_back(backup);
    if (!SaveLog(log_path, log)) return;
  }
  for (const std::string& entry : SurplusEntries(log, AsInteger(count_.Value()))) {
    if (IsBareFileName(entry)) platform::RemoveFile(backups + entry);
    log.erase(log.begin());
    if (!SaveLog(log_path, log)) return;
  }
}

// The first copy beside a file the user may not write beside (the hosts file in /etc) is
// made with the system's permission, asked once in the target's life: only while no ".old"
// exists anywhere, and a cancelled request leaves the copy in the backup folder, where every
// later start finds it. A start that asked for nothing else should not keep asking.
bool TTargetStartupBackup::CopyBeside(const std::string& from, const std::string& to, std::string& why) {
  platform::FileContent content = platform::ReadWholeFile(from);
  if (content.result != platform::FileContent::Result::Read) {
    why = content.result == platform::FileContent::Result::Missing ? "No such file or directory" : content.why;
    return false;
  }
  platform::AtomicFileWriter writer(to, from);
  writer.Write(content.bytes.data(), content.bytes.size());
  if (writer.Commit(&why)) return true;
  if (!writer.PermissionRefused() || platform::RunsElevated()) return false;
  const platform::ElevatedWrite asked = platform::WriteElevated(to, content.bytes);
  if (asked.result == platform::ElevatedWrite::Result::Done) return true;
  why = RefusedAndAsked(why, asked);
  return false;
}

bool TTargetStartupBackup::Copy(const std::string& from, const std::string& to) {
  std::string why;
  if (platform::CopyFileOver(from, to, &why)) return true;
  Tell(BackupFailedMessage(from, to, why));
  return false;
}

bool TTargetStartupBackup::SaveLog(const std::string& path, const std::vector<std::string>& log) {
  std::string why;
  if (platform::WriteFileAtomic(path, JoinLines(log), &why)) return true;
  Tell(SaveFailureMessage(path, why));
  return false;
}

void TTargetStartupBackup::Tell(const std::string& text) {
  TData message = MakeText(text);
  error_.doMessage(message, 0);
}

void TTargetStartupBackup::Warn(const std::string& text) {
  TData message = MakeText(text);
  warning_.doMessage(message, 0);
}

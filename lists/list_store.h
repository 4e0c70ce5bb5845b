// The seven list files as a scheme reads and writes them: under the program folder held
// in the global variable VELTR_dir, and every save that fails is told to the user, as is
// every list that a scheme needs whole but cannot read whole.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/list_catalog.h"
#include "lists/list_files.h"
#include "runtime/global_var.h"
#include "widgets/message.h"

class TListStore {
 public:
  TListStore();

  std::string ProgramDir() const;
  std::string Path(ListId id) const { return ListPath(ProgramDir(), id); }

  // As far as the file can be read, without a word: for counts and existence checks. A
  // missing file is an empty list.
  RecordList Load(ListId id) const;

  // The whole list, for a scheme that saves it again or hands all of it on. A file that
  // cannot be read whole (unreadable, a NUL byte, UTF-16) gives nothing, after the user
  // was told which file and what to do; `what_happens` ends that message.
  std::optional<RecordList> LoadWhole(ListId id, std::string_view what_happens);
  // All seven whole, or nothing when any one is not (each such file told, in one message).
  std::optional<TListSet> LoadAllWhole(std::string_view what_happens);
  // Tells the user that `path` cannot be read whole.
  void TellNotWhole(const std::string& path, const RecordFile& file, std::string_view what_happens);

  // Saves atomically; on failure shows which file and why, and returns false. `written`,
  // when given, takes the hash and stamp of what was written.
  bool Save(ListId id, const RecordList& lines) { return SaveFile(Path(id), lines); }
  bool Save(ListId id, const std::vector<std::string>& lines) { return SaveFile(Path(id), lines); }
  // Tells the user that the file at `path` could not be saved, and why.
  void TellSaveFailure(const std::string& path, const std::string& why);
  bool SaveFile(const std::string& path, const std::vector<std::string>& lines, RecordFile* written = nullptr);
  bool SaveFile(const std::string& path, const RecordList& lines, RecordFile* written = nullptr);

 private:
  TKXGlobalVar program_dir_;
  TKXMessage save_error_;
  TKXMessage not_whole_;
};

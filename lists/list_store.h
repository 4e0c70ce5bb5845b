// The seven list files as a scheme reads and writes them: under the program folder held
// in the global variable VELTR_dir, and every save that fails is told to the user.
#pragma once

#include <string>
#include <vector>

#include "lists/list_catalog.h"
#include "runtime/global_var.h"
#include "widgets/message.h"

class TListStore {
 public:
  TListStore();

  std::string ProgramDir() const;
  std::string Path(ListId id) const { return ListPath(ProgramDir(), id); }

  // A missing file is an empty list.
  std::vector<std::string> Load(ListId id) const;
  TListSet LoadAll() const;

  // Saves atomically; on failure shows which file and why, and returns false.
  bool Save(ListId id, const std::vector<std::string>& lines) { return SaveFile(Path(id), lines); }
  bool SaveFile(const std::string& path, const std::vector<std::string>& lines);

 private:
  TKXGlobalVar program_dir_;
  TKXMessage save_error_;
};

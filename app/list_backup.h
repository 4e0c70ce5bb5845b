// ListBackup: at every start, each list file is copied to Backup\Lists (the category name
// with ".bak"), replacing the backup of the last start. A list that does not exist yet has
// nothing to back up; a copy that fails is told to the user.
// Input 0: make the backups.
#pragma once

#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "widgets/message.h"

class ListBackup : public TScheme {
 public:
  enum Input : uint16_t { kDoBackup = 0, kInputCount };

  explicit ListBackup(TKXWin* parent);

  void doBackup(TData& value, uint16_t index);

 private:
  TKXGlobalVar& program_dir_;
  TKXMessage& failed_;
};

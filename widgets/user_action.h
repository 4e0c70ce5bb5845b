// A user's action on the window: every event the user starts (a click, a choice in a list or
// a box, Enter in an edit, the window's start and its close) runs inside one. While it runs,
// the program holds the lock of its folder (runtime/platform/folder_lock.h), so that a timer's
// `veltrane --update` or a second copy of the program never writes between what an action
// reads and what it saves; between actions the folder is free for them. An action that cannot
// have the lock within the wait does not run: the user is told who holds it, and nothing
// changes.
#pragma once

#include <optional>

#include "runtime/platform/folder_lock.h"

class TUserAction {
 public:
  TUserAction();
  // False when the action may not run (the user has been told why).
  bool Go() const { return lock_.Held(); }

 private:
  platform::FolderLock lock_;
};

// The words that say the program folder stayed locked: for the message box and the command line.
std::string FolderLockedMessage(const std::string& why);

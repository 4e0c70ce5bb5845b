#include "runtime/platform/folder_lock.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "runtime/platform/files.h"

namespace platform {
namespace {

// The process's hold on its program folder's lock.
struct Hold {
  std::unique_ptr<LockFile> file;
  std::string folder;    // the program folder it locks
  std::string what;      // what the outermost scope does
  int depth = 0;         // scopes alive
  bool locked = false;   // the system's lock is held (or no lock file could be made)
  bool lost = false;     // a pause could not take it again: inner scopes are not held
  bool cleaned = false;  // the folder's leftover temporary files were removed
};

Hold& TheHold() {
  static Hold hold;
  return hold;
}

LockWait& TheWait() {
  static LockWait wait;
  return wait;
}

std::string HolderWords(const std::string& written) {
  if (written.empty()) return "another Veltrane";
  return "another Veltrane (process " + written + ")";
}

// Takes the system's lock for the hold, waiting as set; false with `why` set when the
// wait ran out.
bool TakeLock(Hold& hold, std::string& why) {
  const std::string folder = ProgramDir();
  if (hold.folder != folder) {
    hold.folder = folder;
    hold.cleaned = false;
  }
  if (!hold.file) hold.file = std::make_unique<LockFile>(folder + kLockFileName);
  const LockWait& wait = TheWait();
  const auto start = std::chrono::steady_clock::now();
  bool told = false;
  struct Done {
    const LockWait& wait;
    const bool& told;
    ~Done() {
      if (told && wait.done) wait.done();
    }
  } done{wait, told};
  for (int round = 0;; ++round) {
    switch (hold.file->TryLock()) {
      case LockFile::Result::Held: hold.file->SetHolder(std::to_string(ProcessId()) + ", " + hold.what); break;
      case LockFile::Result::NoFile:
        // A folder this process may not write holds nothing it could save: reading it
        // needs no lock, and every save into it fails and is told.
        break;
      case LockFile::Result::Busy: {
        const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (waited >= wait.seconds) {
          const long seconds = std::lround(waited);
          why = HolderWords(hold.file->Holder()) + " has been changing the files of " + folder + " for " +
                std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
          return false;
        }
        if (wait.waiting && round % 2 == 0) {
          wait.waiting(HolderWords(hold.file->Holder()));
          told = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        continue;
      }
    }
    break;
  }
  if (!hold.cleaned) {
    hold.cleaned = true;
    RemoveLeftoverTemporaries(folder, 2);
  }
  return true;
}

}  // namespace

void SetLockWait(LockWait wait) { TheWait() = std::move(wait); }

FolderLock::FolderLock(const std::string& what) {
  Hold& hold = TheHold();
  if (hold.depth > 0) {
    ++hold.depth;
    held_ = hold.locked && !hold.lost;
    if (!held_) why_ = "the program folder's lock could not be taken again after a download";
    return;
  }
  hold.what = what;
  hold.depth = 1;
  hold.lost = false;
  hold.locked = TakeLock(hold, why_);
  held_ = hold.locked;
}

FolderLock::~FolderLock() {
  Hold& hold = TheHold();
  if (--hold.depth > 0) return;
  if (hold.locked && hold.file) hold.file->Unlock();
  // The lock file is let go with the lock: on Windows a file kept open cannot be removed, and
  // a folder the program is done with (moved by the user, a test's) must be free to go.
  hold.file.reset();
  hold.locked = false;
  hold.lost = false;
}

FolderLockPause::FolderLockPause() {
  Hold& hold = TheHold();
  if (hold.depth == 0 || !hold.locked) return;
  if (hold.file) hold.file->Unlock();
  hold.locked = false;
  paused_ = true;
}

FolderLockPause::~FolderLockPause() {
  if (!paused_) return;
  Hold& hold = TheHold();
  std::string why;
  hold.locked = TakeLock(hold, why);
  hold.lost = !hold.locked;
}

}  // namespace platform

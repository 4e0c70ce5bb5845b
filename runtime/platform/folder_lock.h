// One writer at a time in a program folder. Every mode and every action of the window that
// reads, changes and saves files of the program folder holds its lock from the read to the
// save: two writers that each read a list, add to it and save it whole would otherwise lose
// what the other added. The lock is the system's lock on the file "veltrane.lock" in the
// folder (flock on Linux, LockFileEx on Windows), which the system lets go when the process
// ends, however it ends: a killed writer never leaves the folder locked.
//
// The lock belongs to the process, and its scopes nest: the outermost FolderLock takes it
// (waiting for another process that holds it, a bounded time), inner ones join it, and the
// last one to end lets it go. The holder writes its process id and what it does into the
// lock file, so that a process that waits can say for whom.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// The lock file's name in the program folder.
inline constexpr const char* kLockFileName = "veltrane.lock";

struct LockWait {
  // How long to wait for another process that holds the lock.
  double seconds = 120;
  // Called about ten times a second while the process waits, with the holder in words
  // ("process 4711, veltrane --update"): a line on standard error, the status bar.
  std::function<void(const std::string& holder)> waiting;
  // Called once the wait is over, whether the lock was taken or not, when `waiting` was called.
  std::function<void()> done;
};

// The wait every new outermost FolderLock uses (a mode's --wait, the window's status bar).
void SetLockWait(LockWait wait);

class FolderLock {
 public:
  // Takes the lock of the program folder (ProgramDir()), or joins it when this process holds
  // it already. `what` says what the holder does, for those who wait ("veltrane --import").
  explicit FolderLock(const std::string& what);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Whether the scope holds the lock. A folder in which no lock file can be made (a folder
  // only others may write) is held without one: nothing of it can be saved by this process.
  bool Held() const { return held_; }
  // Not held: why, for the user ("another Veltrane (process 4711, veltrane --update) has been
  // changing the files of /home/me/Veltrane/ for 120 seconds").
  const std::string& Why() const { return why_; }

 private:
  bool held_ = false;
  std::string why_;
};

// Lets the lock go while it lives, for work that touches no file of the program folder and
// may take long (a download), so that other processes may write meanwhile; it is taken again
// (waiting as a FolderLock does) when the pause ends. Whatever was read before the pause is
// stale afterwards: the code that saves must read again, inside a FolderLock made after the
// pause, whose Held() is false when the lock could not be taken again. Without a lock held
// it does nothing.
class FolderLockPause {
 public:
  FolderLockPause();
  ~FolderLockPause();
  FolderLockPause(const FolderLockPause&) = delete;
  FolderLockPause& operator=(const FolderLockPause&) = delete;

 private:
  bool paused_ = false;
};

// The system's lock on one file, for FolderLock and for tests that play a second process.
class LockFile {
 public:
  enum class Result { Held, Busy, NoFile };
  explicit LockFile(const std::string& path);  // opens (or makes) the file; takes nothing yet
  ~LockFile();
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  // Held, Busy while another process holds it, NoFile when the file could not be opened
  // (`Why` says why, in the system's words).
  Result TryLock();
  void Unlock();
  // Writes the holder's words into the file (after TryLock gave Held).
  void SetHolder(const std::string& holder);
  // What the holder wrote; empty when nothing can be read.
  std::string Holder() const;
  const std::string& Why() const { return why_; }

 private:
  struct Handle;  // the system's handle, different on each platform
  Handle* handle_ = nullptr;
  std::string path_, why_;
};

// This process's id, for the holder's words.
uint64_t ProcessId();

}  // namespace platform

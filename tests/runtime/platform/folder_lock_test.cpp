// One writer at a time in a program folder: a second holder waits its time and gives up
// naming the first, scopes of one process nest, a pause lets others in, a killed holder
// frees the folder, and the temporary files killed saves left are cleared, never a live one.
// A second LockFile on the same file plays the other process: the system's locks belong to
// the open file (Linux) or the handle (Windows), not to the process.
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "../runtime_fixture.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"

namespace {

struct FolderLockTest : ScratchFolderTest {
  std::string LockPath() const { return dir + "/" + platform::kLockFileName; }
  std::vector<std::string> waited_for;
  void SetUp() override {
    ScratchFolderTest::SetUp();
    platform::SetLockWait({0.3, [this](const std::string& holder) { waited_for.push_back(holder); }, {}});
  }
  void TearDown() override {
    platform::SetLockWait({});
    ScratchFolderTest::TearDown();
  }
};

TEST_F(FolderLockTest, a_second_writer_waits_its_time_then_gives_up_naming_the_holder) {
  platform::LockFile other(LockPath());
  ASSERT_EQ(other.TryLock(), platform::LockFile::Result::Held);
  other.SetHolder("4711, veltrane --update");

  const auto start = std::chrono::steady_clock::now();
  const platform::FolderLock lock("the window");
  EXPECT_FALSE(lock.Held());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_NE(lock.Why().find("another Veltrane (process 4711, veltrane --update) has been changing the files of "),
            std::string::npos)
      << lock.Why();
  ASSERT_FALSE(waited_for.empty());
  EXPECT_EQ(waited_for[0], "another Veltrane (process 4711, veltrane --update)");
}

TEST_F(FolderLockTest, scopes_nest_and_the_last_one_lets_go) {
  platform::LockFile other(LockPath());
  {
    const platform::FolderLock outer("veltrane --import");
    ASSERT_TRUE(outer.Held());
    {
      const platform::FolderLock inner("veltrane --update");
      EXPECT_TRUE(inner.Held());
    }
    EXPECT_EQ(other.TryLock(), platform::LockFile::Result::Busy) << "the outer scope still holds it";
    EXPECT_EQ(other.Holder(), std::to_string(platform::ProcessId()) + ", veltrane --import");
  }
  EXPECT_EQ(other.TryLock(), platform::LockFile::Result::Held);
  EXPECT_TRUE(waited_for.empty());
}

// A download in the window: the folder is free while it runs, and taken again after; when it
// cannot be taken again, the scope that would file the download is not held.
TEST_F(FolderLockTest, a_pause_lets_others_write_and_takes_the_lock_again) {
  platform::LockFile other(LockPath());
  const platform::FolderLock action("the window");
  ASSERT_TRUE(action.Held());
  {
    const platform::FolderLockPause download;
    ASSERT_EQ(other.TryLock(), platform::LockFile::Result::Held);
    other.Unlock();
  }
  EXPECT_EQ(other.TryLock(), platform::LockFile::Result::Busy);
  {
    const platform::FolderLockPause download;
    ASSERT_EQ(other.TryLock(), platform::LockFile::Result::Held);
  }
  const platform::FolderLock filing("veltrane --update");
  EXPECT_FALSE(filing.Held());
  other.Unlock();
}

TEST_F(FolderLockTest, leftover_temporary_files_go_and_live_ones_stay) {
#ifdef _WIN32
  GTEST_SKIP() << "the Windows names and rules are checked by the save test under Wine";
#else
  const std::string lists = dir + "/Lists/";
  ASSERT_TRUE(platform::MakeDirectory(lists));
  auto make = [](const std::string& path, int age_seconds) {
    std::ofstream(path) << "half a save";
    const timespec times[2] = {{::time(nullptr) - age_seconds, 0}, {::time(nullptr) - age_seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  };
  make(lists + ".veltrane-Ab12Cd", 60);   // a killed save's: goes
  make(lists + ".veltrane-Ef34Gh", 60);   // a save that writes now: stays
  make(lists + ".veltrane-Ij56Kl", 0);    // just made, not locked yet: stays
  make(lists + ".veltrane-notours", 60);  // another name: stays
  make(lists + "Porno.txt", 60);
  const int live = ::open((lists + ".veltrane-Ef34Gh").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);

  const platform::FolderLock lock("veltrane --import");  // the first lock of a run clears them
  ASSERT_TRUE(lock.Held());
  std::vector<std::string> names;
  for (const auto& entry : platform::ListDirectory(lists)) names.push_back(entry.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{".veltrane-Ef34Gh", ".veltrane-Ij56Kl", ".veltrane-notours", "Porno.txt"}));
  ::close(live);
#endif
}

#ifndef _WIN32
TEST_F(FolderLockTest, a_killed_holder_frees_the_folder) {
  const pid_t child = ::fork();
  if (child == 0) {
    const platform::FolderLock lock("veltrane --update");
    ::pause();
    ::_exit(0);
  }
  platform::LockFile other(LockPath());
  for (int i = 0; i < 200 && other.TryLock() == platform::LockFile::Result::Held; ++i) {
    other.Unlock();
    ::usleep(10'000);
  }
  ASSERT_EQ(other.TryLock(), platform::LockFile::Result::Busy) << "the child took the lock";
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  const platform::FolderLock lock("the window");
  EXPECT_TRUE(lock.Held());
}
#endif

}  // namespace

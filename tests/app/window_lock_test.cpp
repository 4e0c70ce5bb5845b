// The window and another Veltrane on one program folder: an action waits while the other
// holds the folder, says for whom in the status bar, and gives up telling the user, having
// changed nothing; between actions the window holds nothing.
#include "runtime/platform/folder_lock.h"
#include "tests/app/program_fixture.h"

namespace {

class WindowLock : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Write("Lists/Unsorted.txt", "a.example.com\r\nb.example.com\r\n");
    Start();
    other_ = std::make_unique<platform::LockFile>(dir_ + platform::kLockFileName);
  }
  void TearDown() override {
    other_.reset();  // on Windows an open file keeps the folder from going
    ProgramTest::TearDown();
  }
  std::unique_ptr<platform::LockFile> other_;  // another process's hold on the folder
};

TEST_F(WindowLock, holds_the_folder_only_while_an_action_runs) {
  EXPECT_EQ(other_->TryLock(), platform::LockFile::Result::Held) << "the window holds nothing while idle";
  other_->Unlock();
}

TEST_F(WindowLock, an_action_waits_for_another_writer_and_gives_up_changing_nothing) {
  ASSERT_EQ(other_->TryLock(), platform::LockFile::Result::Held);
  other_->SetHolder("4711, veltrane --update");
  std::vector<std::string> waiting;
  platform::SetLockWait({0.2, [&](const std::string& holder) { waiting.push_back(holder); }, {}});
  ui_.ClearShownDialogs();
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  EXPECT_FALSE(waiting.empty());
  ASSERT_FALSE(Messages().empty());
  // The folder as the system names it (on Windows a drive's path): its own name is in it.
  const std::string folder = dir_.substr(dir_.rfind('/', dir_.size() - 2) + 1);
  EXPECT_TRUE(
      Messages()[0].starts_with("Error:: Another Veltrane (process 4711, veltrane --update) has been "
                                "changing the files of "))
      << Messages()[0];
  EXPECT_NE(Messages()[0].find(folder.substr(0, folder.size() - 1)), std::string::npos) << Messages()[0];
  EXPECT_TRUE(Messages()[0].ends_with("Nothing was changed; try again when it has finished.")) << Messages()[0];
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "a.example.com\r\nb.example.com\r\n");
  other_->Unlock();
}

}  // namespace

// The file layer's saves: whole or not at all, never into a read-only file, through links.
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/platform/files.h"
#include "../runtime_fixture.h"

namespace {

struct FileLayer : ScratchFolderTest {
  void SetUp() override {
    ScratchFolderTest::SetUp();
    dir += "/";
  }
};

TEST_F(FileLayer, a_save_replaces_the_whole_file_and_leaves_no_temporary_behind) {
  const std::string path = dir + "Lists\\Misc.txt";  // the program's own separator
  ASSERT_TRUE(platform::MakeDirectory(dir + "Lists"));
  ASSERT_TRUE(platform::WriteFileAtomic(path, "a much longer old content\r\n"));
  ASSERT_TRUE(platform::WriteFileAtomic(path, "b\r\n"));
  EXPECT_EQ(platform::ReadFile(path).value(), "b\r\n");
  EXPECT_EQ(platform::ListDirectory(dir + "Lists").size(), 1u);
}

TEST_F(FileLayer, a_file_without_write_permission_keeps_its_content_even_for_root) {
  const std::string path = dir + "hosts";
  ASSERT_TRUE(platform::WriteFileAtomic(path, "old"));
  ::chmod(platform::NativePath(path).c_str(), 0444);
  EXPECT_FALSE(platform::WriteFileAtomic(path, "new"));
  EXPECT_EQ(platform::ReadFile(path).value(), "old");
  EXPECT_FALSE(platform::WriteFileAtomic(dir + "missing/x.txt", "new")) << "a missing folder fails cleanly";
  EXPECT_EQ(platform::ListDirectory(dir).size(), 1u);
}

TEST_F(FileLayer, a_save_through_a_symbolic_link_writes_the_file_it_points_to) {
  const std::string real = dir + "real.cfg", link = dir + "link.cfg";
  ASSERT_TRUE(platform::WriteFileAtomic(real, "old"));
  ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(platform::WriteFileAtomic(link, "new"));
  struct stat st;
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(platform::ReadFile(real).value(), "new");
}

}  // namespace

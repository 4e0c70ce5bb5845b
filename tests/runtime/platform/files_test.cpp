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
  std::string why;
  EXPECT_FALSE(platform::WriteFileAtomic(path, "new", &why));
  EXPECT_EQ(why, "Permission denied");
  EXPECT_EQ(platform::ReadFile(path).value(), "old");
  EXPECT_FALSE(platform::WriteFileAtomic(dir + "missing/x.txt", "new", &why)) << "a missing folder fails cleanly";
  EXPECT_EQ(why, "No such file or directory");
  EXPECT_EQ(platform::ListDirectory(dir).size(), 1u);
}

TEST_F(FileLayer, a_saved_file_keeps_its_permission_bits_and_its_owner_where_the_process_may_set_it) {
  const std::string path = dir + "hosts";
  ASSERT_TRUE(platform::WriteFileAtomic(path, "old"));
  const std::string native = platform::NativePath(path);
  ::chmod(native.c_str(), 0640);
  const bool may_give_away = ::geteuid() == 0 && ::chown(native.c_str(), 65534, 65534) == 0;
  ASSERT_TRUE(platform::WriteFileAtomic(path, "new"));
  struct stat st {};
  ASSERT_EQ(::stat(native.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (may_give_away) {
    EXPECT_EQ(st.st_uid, 65534u);
  }
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

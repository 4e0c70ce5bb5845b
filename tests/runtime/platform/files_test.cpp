// The file layer's saves: whole or not at all, never into a read-only file, through links.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>

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

// A FIFO nobody writes would block a read for ever; a device may never end. Neither is
// opened: each is refused at once with the same words. The alarm ends a run that hangs.
TEST_F(FileLayer, a_fifo_a_device_or_a_socket_is_refused_at_once_and_never_read) {
  const std::string fifo = dir + "pipe", socket_path = dir + "sock";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::alarm(20);
  for (const std::string& path : {fifo, std::string("/dev/zero"), socket_path}) {
    SCOPED_TRACE(path);
    const platform::FileContent content = platform::ReadWholeFile(path);
    EXPECT_EQ(content.result, platform::FileContent::Result::Unreadable);
    EXPECT_EQ(content.why, platform::kNotRegularFile);
    platform::FileReader reader(path);
    EXPECT_EQ(reader.State(), platform::FileReader::Result::Unreadable);
    EXPECT_EQ(reader.Why(), platform::kNotRegularFile);
    std::string why;
    EXPECT_FALSE(platform::CopyFileOver(path, dir + "copy", &why));
    EXPECT_EQ(why, platform::kNotRegularFile);
  }
  std::string why;
  EXPECT_FALSE(platform::WriteFileAtomic(fifo, "new", &why)) << "a save never replaces a FIFO by a file";
  EXPECT_EQ(why, platform::kNotRegularFile);
  ::alarm(0);
  ::close(sock);
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(platform::IsFile(dir + "copy"));
}

TEST_F(FileLayer, a_whole_read_tells_a_missing_file_from_one_it_may_not_read) {
  EXPECT_EQ(platform::ReadWholeFile(dir + "none").result, platform::FileContent::Result::Missing);
  EXPECT_EQ(platform::ReadWholeFile(dir + "none/deeper").result, platform::FileContent::Result::Missing);
  const platform::FileContent folder = platform::ReadWholeFile(dir);
  EXPECT_EQ(folder.result, platform::FileContent::Result::Unreadable);
  EXPECT_EQ(folder.why, "Is a directory");
  ASSERT_TRUE(platform::WriteFileAtomic(dir + "data", std::string("a\0b", 3)));
  const platform::FileContent data = platform::ReadWholeFile(dir + "data");
  EXPECT_EQ(data.result, platform::FileContent::Result::Read);
  EXPECT_EQ(data.bytes, std::string("a\0b", 3));
}

}  // namespace

// The file layer's saves: whole or not at all, never into a read-only file, through links,
// keeping what the replaced file carries besides its bytes; copies as private as their source.
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "../runtime_fixture.h"
#include "runtime/platform/files.h"

namespace {

struct FileLayer : ScratchFolderTest {
  void SetUp() override {
    ScratchFolderTest::SetUp();
    dir += "/";
  }
};

// Saves go through a temporary beside the file; none is left behind, whether the save was
// made or refused.
TEST_F(FileLayer, a_save_replaces_the_whole_file_and_one_without_write_permission_keeps_it_even_for_root) {
  const std::string path = dir + "Lists\\hosts";  // the program's own separator
  ASSERT_TRUE(platform::MakeDirectory(dir + "Lists"));
  ASSERT_TRUE(platform::WriteFileAtomic(path, "a much longer old content\r\n"));
  ASSERT_TRUE(platform::WriteFileAtomic(path, "old"));
  ::chmod(platform::NativePath(path).c_str(), 0444);
  std::string why;
  EXPECT_FALSE(platform::WriteFileAtomic(path, "new", &why));
  EXPECT_EQ(why, "Permission denied");
  EXPECT_EQ(platform::ReadFile(path).value(), "old");
  EXPECT_FALSE(platform::WriteFileAtomic(dir + "missing/x.txt", "new", &why)) << "a missing folder fails cleanly";
  EXPECT_EQ(why, "No such file or directory");
  EXPECT_EQ(platform::ListDirectory(dir + "Lists").size(), 1u);
}

unsigned Mode(const std::string& path) {
  struct stat st {};
  return ::stat(platform::NativePath(path).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

std::string Attribute(const std::string& path, const char* name) {
  char value[256];
  const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
  return n < 0 ? "<none>" : std::string(value, size_t(n));
}

// A POSIX access list in the form the kernel keeps it: the owner (rw), one more user (rw),
// the owning group (r), the mask (rw) and the others (r).
std::string AccessList() {
  std::string bytes;
  auto put = [&bytes](uint32_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes += char((value >> (8 * i)) & 0xff);
  };
  put(2, 4);  // the format's version
  for (const auto& [tag, perm, id] : {std::tuple{0x01u, 6u, UINT32_MAX},
                                      {0x02u, 6u, 65534u},
                                      {0x04u, 4u, UINT32_MAX},
                                      {0x10u, 6u, UINT32_MAX},
                                      {0x20u, 4u, UINT32_MAX}})
    put(tag, 2), put(perm, 2), put(id, 4);
  return bytes;
}

TEST_F(FileLayer, a_save_keeps_the_permission_bits_the_owner_and_the_extended_attributes_of_the_file_it_replaces) {
  const std::string path = dir + "hosts";
  ASSERT_TRUE(platform::WriteFileAtomic(path, "old"));
  ::chmod(path.c_str(), 0640);
  const std::string acl = AccessList();
  const bool with_acl = ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  const unsigned mode = Mode(path);
  const bool may_give_away = ::geteuid() == 0 && ::chown(path.c_str(), 65534, 65534) == 0;
  const bool with_attributes = ::setxattr(path.c_str(), "user.origin", "distribution", 12, 0) == 0 &&
                               ::setxattr(path.c_str(), "user.empty", "", 0, 0) == 0;
  ASSERT_TRUE(platform::WriteFileAtomic(path, "new"));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, mode);
  if (may_give_away) {
    EXPECT_EQ(st.st_uid, 65534u);
  }
  if (with_attributes) {  // not every file system keeps user attributes
    EXPECT_EQ(Attribute(path, "user.origin"), "distribution");
    EXPECT_EQ(Attribute(path, "user.empty"), "");
  }
  if (with_acl) {
    EXPECT_EQ(Attribute(path, "system.posix_acl_access"), acl) << "the access list survives the save";
  }
}

// A copy is never readable by more people than its source, also over an older, more open
// copy; its owner may write it, so that the next backup can replace it.
TEST_F(FileLayer, a_copy_keeps_the_permission_bits_of_its_source_and_the_owner_may_always_replace_it) {
  const mode_t old_mask = ::umask(022);
  const std::string from = dir + "source", to = dir + "copy";
  ASSERT_TRUE(platform::WriteFileAtomic(from, "bytes"));
  ::chmod(from.c_str(), 0440);
  ASSERT_TRUE(platform::CopyFileOver(from, to));
  EXPECT_EQ(Mode(to), 0640u) << "a new copy";
  ::chmod(to.c_str(), 0666);
  ASSERT_TRUE(platform::CopyFileOver(from, to));
  EXPECT_EQ(Mode(to), 0640u) << "a copy over an older one";
  ::umask(old_mask);
}

// Whether a tracer has attached to the process.
bool Traced(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("TracerPid:", 0) == 0) return std::stoi(line.substr(10)) != 0;
  return false;
}

// The rename is in the folder, not in the file: only a sync of the folder makes the new
// file survive a power cut. The save runs in a child that strace follows.
TEST_F(FileLayer, a_save_syncs_the_folder_after_the_rename) {
  if (::system("strace -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace is not installed";
  const std::string log = dir + "strace.log", folder = dir.substr(0, dir.size() - 1);
  ::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::raise(SIGSTOP);  // until strace follows it
    _exit(platform::WriteFileAtomic(dir + "hosts", "new") ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
  const pid_t tracer = ::fork();
  if (tracer == 0) {
    const std::string pid = std::to_string(child);
    ::execlp("strace", "strace", "-qq", "-y", "-e", "trace=fsync,fdatasync,rename,renameat,renameat2", "-o",
             log.c_str(), "-p", pid.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 1000 && !Traced(child); ++i) ::usleep(10000);
  const bool traced = Traced(child);
  ::kill(child, SIGCONT);
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ::waitpid(tracer, &status, 0);
  if (!traced) GTEST_SKIP() << "strace could not follow the save (no ptrace here?)";
  const std::string calls = platform::ReadFile(log).value_or("");
  const size_t renamed = calls.find("rename");
  ASSERT_NE(renamed, std::string::npos) << calls;
  EXPECT_NE(calls.find("<" + folder + ">)", renamed), std::string::npos) << calls;
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
TEST_F(FileLayer, a_fifo_or_a_device_is_refused_at_once_and_never_read) {
  const std::string fifo = dir + "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::alarm(20);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
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
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(platform::IsFile(dir + "copy"));
  EXPECT_EQ(platform::ReadWholeFile(dir).why, "Is a directory");
}

}  // namespace

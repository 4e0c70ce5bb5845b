// A direct write that the system refuses for want of permission hands the whole content to
// the system's elevated write; every other write, and every other failure, never asks. The
// writers run in a child that has become the unprivileged user 65534, since root may write
// anything.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "targets/common/config_writer.h"

namespace {

using Result = platform::ElevatedWrite::Result;

std::string Entry(size_t i) { return "0.0.0.0       ads" + std::to_string(i) + ".example.com"; }

// Writes `lines` entry lines through a writer; its Commit.
bool WriteLines(const std::string& path, WhenRefused refused, size_t lines) {
  TConfigWriter writer(path, LineEnding::CrLf, refused);
  for (size_t i = 0; i < lines; ++i) writer.Line({Entry(i)});
  std::string why;
  return writer.Commit(&why);
}

TEST(ConfigWriter, asks_the_system_only_for_a_direct_write_refused_for_want_of_permission_and_hands_it_everything) {
  char tmpl[] = "/tmp/veltrane-writer-XXXXXX";
  const std::string dir = std::string(::mkdtemp(tmpl)) + "/";
  ASSERT_TRUE(platform::MakeDirectory(dir + "etc"));
  ASSERT_TRUE(platform::WriteFileAtomic(dir + "etc/hosts", "127.0.0.1 localhost\r\n"));
  ASSERT_TRUE(platform::WriteFileAtomic(dir + "read-only", "kept\r\n"));
  if (::geteuid() == 0 && std::system(("chown -R 65534:65534 " + dir).c_str()) != 0)
    GTEST_SKIP() << "the folder cannot be given to an unprivileged user";
  ::chmod((dir + "etc").c_str(), 0555);
  ::chmod((dir + "read-only").c_str(), 0444);
  ::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(2);
    std::vector<std::string> asked;
    std::string handed;
    platform::SetElevationHandler([&](const std::string& path, std::string_view bytes) {
      asked.push_back(path);
      handed = bytes;
      return platform::ElevatedWrite{Result::Done, ""};
    });
    // Some megabytes: more than the writer streams at once, all of it in one piece.
    const size_t lines = 100000;
    EXPECT_TRUE(WriteLines(dir + "etc/hosts", WhenRefused::AskSystem, lines));
    ASSERT_EQ(asked, std::vector<std::string>{platform::RealPath(dir + "etc") + "/hosts"});
    std::string expected;
    for (size_t i = 0; i < lines; ++i) expected += Entry(i) + "\r\n";
    EXPECT_TRUE(handed == expected);
    asked.clear();
    EXPECT_FALSE(WriteLines(dir + "read-only", WhenRefused::AskSystem, 3)) << "a read-only file stays as it is";
    EXPECT_FALSE(WriteLines(dir + "missing/hosts", WhenRefused::AskSystem, 3)) << "no permission is missing";
    EXPECT_TRUE(asked.empty());
    ::fflush(nullptr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod((dir + "etc").c_str(), 0755);
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 2) << "could not become the unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's checks failed (see above)";
}

}  // namespace

// Writing with the system's permission on Linux, with a stand-in for pkexec: a script in a
// scratch folder that notes how it was called and then plays one of pkexec's answers (runs
// the helper, as the test runs as root; or ends as a dismissed or refused prompt does).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/platform/write_scratch.h"

namespace {

using Result = platform::ElevatedWrite::Result;

using namespace write_scratch;

struct Elevation : ::testing::Test {
  std::string pkexec = kScratch + "/bin/pkexec", called = kScratch + "/run/called";

  void SetUp() override {
    const std::string open = MakeScratch();
    if (!open.empty()) GTEST_SKIP() << open << " may be changed by others than root, so nothing below it is asked for";
    Put(kEtc + "/hosts", "127.0.0.1 localhost\n");
  }
  void TearDown() override {
    platform::SetElevationPrograms("/usr/bin/pkexec", "", "/etc");
    std::error_code error;
    std::filesystem::remove_all(kScratch, error);
  }

  // pkexec's stand-in: notes its arguments, then runs `then` (a shell command line).
  void FakePkexec(const std::string& then, const std::string& helper = VELTRANE_WRITE_HELPER) {
    Put(pkexec, "#!/bin/sh\necho \"$@\" >> " + called + "\n" + then + "\n", 0755);
    platform::SetElevationPrograms(pkexec, helper, kEtc);
  }
};

TEST_F(Elevation, the_helper_run_by_pkexec_gets_the_absolute_path_and_the_whole_content) {
  if (::geteuid() != 0) GTEST_SKIP() << "the helper writes as root";
  FakePkexec("exec \"$@\"");
  // More than a pipe holds at once, with every byte value a hosts file may hold (no NUL).
  std::string content;
  for (int i = 0; i < 300000; ++i) content += char(1 + i % 255);
  const platform::ElevatedWrite done = platform::WriteElevated(kEtc + "/../etc/hosts", content);
  ASSERT_EQ(done.result, Result::Done) << done.why;
  EXPECT_EQ(Read(kEtc + "/hosts"), content);
  EXPECT_EQ(Read(called), std::string(VELTRANE_WRITE_HELPER) + " " + kEtc + "/hosts\n");
}

TEST_F(Elevation, a_dismissed_prompt_is_cancelled_and_a_refusal_or_a_missing_pkexec_is_told_in_words) {
  FakePkexec("exit 126");
  EXPECT_EQ(platform::WriteElevated(kEtc + "/hosts", "x").result, Result::Cancelled);

  FakePkexec(
      "printf 'Error executing command as another user: Not authorized\\n\\nThis incident has been reported.\\n' >&2;"
      " exit 127");
  const platform::ElevatedWrite refused = platform::WriteElevated(kEtc + "/hosts", std::string(1 << 20, 'x'));
  EXPECT_EQ(refused.result, Result::Failed);
  EXPECT_EQ(refused.why,
            "the system did not give the permission (Error executing command as another user: Not authorized)");
  EXPECT_EQ(Read(kEtc + "/hosts"), "127.0.0.1 localhost\n");

  const std::string helper = kScratch + "/bin/helper";
  Put(helper, "#!/bin/sh\necho 'veltrane-write refused it: a reason' >&2\nexit 3\n", 0755);
  FakePkexec("exec \"$@\"", helper);
  EXPECT_EQ(platform::WriteElevated(kEtc + "/hosts", "x").why, "veltrane-write refused it: a reason");

  platform::SetElevationPrograms(kScratch + "/bin/no-pkexec", VELTRANE_WRITE_HELPER, kEtc);
  const std::string without = platform::WriteElevated(kEtc + "/hosts", "x").why;
  EXPECT_NE(without.find("pkexec, which is not installed"), std::string::npos) << without;
  EXPECT_NE(without.find("apt install pkexec"), std::string::npos) << without;
}

TEST_F(Elevation, nobody_is_asked_for_a_file_the_helper_would_refuse) {
  FakePkexec("exec \"$@\"");
  Put(kScratch + "/outside", "kept\n");
  std::filesystem::create_directory(kEtc + "/dnsmasq.d");
  for (const std::string& path :
       {kScratch + "/outside", kEtc + "/passwd", kEtc + "/hosts.old", kEtc + "/dnsmasq.d/veltrane.conf"}) {
    const platform::ElevatedWrite refused = platform::WriteElevated(path, "not the hosts file's bytes\n");
    EXPECT_EQ(refused.result, Result::Failed) << path;
    EXPECT_FALSE(refused.why.empty()) << path;
  }
  EXPECT_EQ(Read(called), "<missing>") << "pkexec was never run";
  EXPECT_EQ(Read(kScratch + "/outside"), "kept\n");
}

// The program runs the installed helper, which only the administrator may change; only a
// build for tests runs the one beside it, which its user could change.
TEST_F(Elevation, the_program_runs_the_installed_helper_unless_built_for_tests) {
  FakePkexec("echo \"$1\" > " + kScratch + "/run/helper");
  platform::SetElevationPrograms(pkexec, "", kEtc);
  const platform::ElevatedWrite done = platform::WriteElevated(kEtc + "/hosts", "0.0.0.0 ads.example.com\n");
#ifdef VELTRANE_HELPER_BESIDE
  EXPECT_EQ(Read(kScratch + "/run/helper"),
            std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/veltrane-write\n")
      << done.why;
#else
  const std::string installed = "/usr/libexec/veltrane/veltrane-write";
  if (::access(installed.c_str(), X_OK) == 0) {
    EXPECT_EQ(Read(kScratch + "/run/helper"), installed + "\n");
  } else {
    EXPECT_EQ(done.why, "the helper " + installed + " is missing; install Veltrane again");
  }
#endif
  EXPECT_EQ(Read(kEtc + "/hosts"), "127.0.0.1 localhost\n");
}

}  // namespace

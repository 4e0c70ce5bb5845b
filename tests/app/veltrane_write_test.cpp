// The helper veltrane-write run as pkexec runs it: as root, the path its only argument, the
// content on standard input; its scratch build writes below the build tree instead of /etc.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/platform/write_scratch.h"

namespace {

using namespace write_scratch;

struct Outcome {
  int code = -1;
  std::string said;
};

// Runs the helper with `args` (each one word, already quoted where needed) and `input`,
// after `env` ("env NAME=VALUE ... ") where given.
Outcome RunHelper(const std::string& args, const std::string& input, const std::string& env = "") {
  const std::string in = kScratch + "/input", err = kScratch + "/said";
  Put(in, input, 0600);
  const int status = std::system((env + VELTRANE_WRITE_HELPER + " " + args + " < " + in + " 2> " + err).c_str());
  Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(err)};
  std::filesystem::remove(in);
  std::filesystem::remove(err);
  return outcome;
}

struct Helper : ::testing::Test {
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "the helper is run as root, as pkexec runs it";
    const std::string open = MakeScratch();
    if (!open.empty()) GTEST_SKIP() << open << " may be changed by others than root, so the helper refuses every file below it";
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(kScratch, error);
  }

  size_t Entries(const std::string& folder) {
    return size_t(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
  }
};

TEST_F(Helper, replaces_the_file_keeping_its_mode_owner_group_and_extended_attributes) {
  const std::string file = kEtc + "/resolv.conf";
  Put(file, "old content\n", 0640);
  ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  const bool attributes = ::setxattr(file.c_str(), "user.origin", "kept", 4, 0) == 0;

  const Outcome outcome = RunHelper(file, "new content\n");
  ASSERT_EQ(outcome.code, 0) << outcome.said;
  EXPECT_EQ(Read(file), "new content\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  if (attributes) {
    char value[16] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.origin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  }
  EXPECT_EQ(Entries(kEtc), 1u) << "no temporary file is left behind";
}

TEST_F(Helper, makes_the_first_copy_of_a_file_beside_it_with_that_file_s_access) {
  const std::string hosts = kEtc + "/hosts";
  Put(hosts, "127.0.0.1 localhost\n", 06640);
  ASSERT_EQ(::chown(hosts.c_str(), 0, 65534), 0);
  ::chmod(hosts.c_str(), 06640);

  const Outcome outcome = RunHelper(hosts + ".old", "127.0.0.1 localhost\n");
  ASSERT_EQ(outcome.code, 0) << outcome.said;
  EXPECT_EQ(Read(hosts + ".old"), "127.0.0.1 localhost\n");
  struct stat st {};
  ASSERT_EQ(::stat((hosts + ".old").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u) << "a copy takes no set-user or set-group bit";
  EXPECT_EQ(st.st_gid, 65534u);
}

TEST_F(Helper, makes_a_resolver_file_of_the_program_s_own_new_in_a_dns_server_s_folder) {
  const std::string folder = kEtc + "/dnsmasq.d";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  ::chmod(folder.c_str(), 0755);
  const std::string file = folder + "/veltrane.conf";
  const std::string content = "# Created with Veltrane: a dnsmasq configuration file\naddress=/ads.example.com/\n";

  ::umask(0077);  // the new file's access is the helper's choice, not the caller's mask
  const Outcome outcome = RunHelper(file, content);
  ::umask(0022);
  ASSERT_EQ(outcome.code, 0) << outcome.said;
  EXPECT_EQ(Read(file), content);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_gid, 0u);
  EXPECT_EQ(Entries(folder), 1u) << "no temporary file is left behind";
}

TEST_F(Helper, refuses_every_file_it_must_not_write_and_leaves_it_as_it_was) {
  Put(kEtc + "/hosts", "127.0.0.1 localhost\n");
  std::filesystem::create_symlink(kEtc + "/hosts", kEtc + "/link");
  std::filesystem::create_directory(kEtc + "/folder");
  ASSERT_EQ(::mkfifo((kEtc + "/fifo").c_str(), 0644), 0);
  std::filesystem::create_directory(kEtc + "/open");
  ::chmod((kEtc + "/open").c_str(), 01777);
  Put(kEtc + "/open/file", "kept\n");
  std::filesystem::create_directory(kEtc + "/users");
  ASSERT_EQ(::chown((kEtc + "/users").c_str(), 65534, 65534), 0);
  ::chmod((kEtc + "/users").c_str(), 0755);
  Put(kEtc + "/users/file", "kept\n");
  std::filesystem::create_hard_link(kEtc + "/hosts", kEtc + "/second-name");
  Put(kEtc + "/read-only", "kept\n", 0444);
  Put(kScratch + "/outside", "kept\n");
  std::filesystem::create_directory_symlink(kEtc + "/folder", kEtc + "/folder-link");
  Put(kEtc + "/folder/file", "kept\n");
  Put(kEtc + "/resolv.conf", "nameserver 127.0.0.1\n");
  std::filesystem::create_directory(kEtc + "/dnsmasq.d");
  const std::string resolver_file = "# Created with Veltrane: a dnsmasq configuration file\naddress=/a.example/\n";

  struct Case {
    std::vector<std::string> paths;
    const char* words;  // what the refusal says
    std::string content = "written\n";
  } cases[] = {
      {{"etc/hosts"}, "not absolute"},
      {{kEtc + "/../etc/hosts", kEtc + "//hosts"}, "plain form"},
      {{kScratch + "/outside"}, "configuration folder"},
      {{kEtc + "/link", kEtc + "/folder-link/file"}, "link"},
      {{kEtc + "/folder", kEtc + "/fifo"}, "not a regular file"},
      {{kEtc + "/open/file", kEtc + "/users/file"}, "may be changed by others"},
      {{kEtc + "/second-name"}, "other names"},
      {{kEtc + "/read-only"}, "read-only"},
      {{kEtc + "/resolv.conf.old"}, "must hold exactly what NAME holds"},
      {{kEtc + "/new-file", kEtc + "/dnsmasq.d/other.conf"}, "does not exist", "address=/x/\n"},
      {{kEtc + "/veltrane.conf"}, "does not exist", resolver_file},  // only in a DNS server's folder
  };
  for (const Case& c : cases) {
    for (const std::string& path : c.paths) {
      const bool existed = std::filesystem::exists(path);
      const std::string before = std::filesystem::is_regular_file(path) ? Read(path) : "";
      const Outcome outcome = RunHelper("'" + path + "'", c.content);
      EXPECT_EQ(outcome.code, platform::kHelperRefused) << path;
      EXPECT_NE(outcome.said.find(c.words), std::string::npos) << path << ": " << outcome.said;
      if (!before.empty()) {
        EXPECT_EQ(Read(path), before) << path;
      }
      EXPECT_EQ(std::filesystem::exists(path), existed) << path;
    }
  }
  EXPECT_EQ(Read(kEtc + "/hosts"), "127.0.0.1 localhost\n");
  EXPECT_EQ(RunHelper("", "x").code, platform::kHelperUsage);
  EXPECT_EQ(RunHelper(kEtc + "/hosts " + kEtc + "/hosts", "x").code, platform::kHelperUsage);
  EXPECT_EQ(Read(kEtc + "/hosts"), "127.0.0.1 localhost\n");
}

// The fake resolver tools note how they were called, in a file below the scratch root.
void FakeTool(const std::string& name) {
  const std::string path = kScratch + "/bin/" + name;
  Put(path, "#!/bin/sh\necho \"" + name + " $*\" >> " + kScratch + "/run/called\n", 0755);
}

TEST_F(Helper, after_the_hosts_file_empties_the_cache_of_each_resolver_that_runs_trusting_no_environment_variable) {
  Put(kEtc + "/hosts", "127.0.0.1 localhost\n");
  Put(kEtc + "/other", "x\n");
  FakeTool("resolvectl");
  FakeTool("nscd");

  ASSERT_EQ(RunHelper(kEtc + "/hosts", "0.0.0.0 ads.example.com\n").code, 0);
  EXPECT_EQ(Read(kScratch + "/run/called"), "<missing>") << "neither resolver runs";

  Put(kScratch + "/run/resolved", "");
  Put(kScratch + "/run/nscd", "");
  ASSERT_EQ(RunHelper(kEtc + "/other", "y\n").code, 0);
  EXPECT_EQ(Read(kScratch + "/run/called"), "<missing>") << "only the hosts file is resolved from";

  ASSERT_EQ(RunHelper(kEtc + "/hosts", "0.0.0.0 ads.example.com\n").code, 0);
  EXPECT_EQ(Read(kScratch + "/run/called"), "resolvectl flush-caches\nnscd -i hosts\n");

  std::filesystem::remove(kScratch + "/bin/nscd");
  std::filesystem::remove(kScratch + "/run/called");
  // A PATH leading to another resolvectl, and variables that steer the C library, change nothing.
  std::filesystem::create_directory(kScratch + "/decoy");
  Put(kScratch + "/decoy/resolvectl", "#!/bin/sh\necho decoy >> " + kScratch + "/run/called\n", 0755);
  const std::string env = "env PATH=" + kScratch + "/decoy LANGUAGE=de LC_ALL=de_DE.UTF-8 ";
  ASSERT_EQ(RunHelper(kEtc + "/hosts", "", env).code, 0) << "a missing tool is no failure";
  EXPECT_EQ(Read(kEtc + "/hosts"), "");
  EXPECT_EQ(Read(kScratch + "/run/called"), "resolvectl flush-caches\n");
}

}  // namespace

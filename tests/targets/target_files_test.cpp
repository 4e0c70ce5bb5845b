// What scenario scripts cannot set up: files the program may not write, permission bits
// that must survive a direct write or a backup, a log that names files outside the backup
// folder; and the value forms of the Kerio Personal Firewall entries.
#include <sys/stat.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/platform/clock.h"
#include "runtime/platform/elevation.h"
#include "targets/common/startup_backup.h"
#include "targets/hosts/hosts_exporter.h"
#include "targets/hosts/hosts_startup_backup.h"
#include "targets/kpf/kpf_config.h"
#include "targets/kwf/kwf_exporter.h"
#include "targets/kwf/kwf_startup_backup.h"
#include "tests/targets/target_fixture.h"

namespace {

using TargetFiles = TargetTest;

unsigned Mode(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST_F(TargetFiles, a_hosts_file_that_may_not_be_written_is_left_whole_and_the_user_told_why) {
  Write("hosts", "127.0.0.1 localhost\n");
  ReadOnly("hosts");
  Set("hosts", dir_ + "hosts");
  Set("ip", "127.0.0.1");
  Set("hosts_program", "1");
  auto& exporter = Build<HostsExporter>();
  Feed(exporter, {"ads.example.com"});
  Input(exporter, 2);
  EXPECT_EQ(Read("hosts"), "127.0.0.1 localhost\n");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Error:: Could not save '" + dir_ + "hosts': Permission denied. The file was left as it was.");
}

TEST_F(TargetFiles, a_direct_write_keeps_the_permission_bits_of_the_file) {
  Write("winroute.cfg", "<list name=\"UrlGroups\">\n</list>\n");
  ::chmod((dir_ + "winroute.cfg").c_str(), 0640);
  Set("winroute_cfg", dir_ + "winroute.cfg");
  Set("kwf_program", "1");
  auto& exporter = Build<KwfExporter>();
  Feed(exporter, {"ads.example.com"});
  Input(exporter, 2);
  EXPECT_EQ(Mode(dir_ + "winroute.cfg"), 0640u);
  EXPECT_NE(Read("winroute.cfg").find("ads.example.com"), std::string::npos);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TargetFiles, a_file_that_cannot_be_read_stops_both_modes_before_anything_is_written) {
  Set("winroute_cfg", dir_ + "Logs");  // a folder where the file should be
  auto& exporter = Build<KwfExporter>();
  for (const char* program : {"0", "1"}) {
    Set("kwf_program", program);
    Feed(exporter, {"ads.example.com"});
    Input(exporter, 2);
  }
  const std::string told = "Error:: Could not read '" + dir_ + "Logs': Is a directory. Nothing was written.";
  EXPECT_EQ(Messages(), (std::vector<std::string>{told, told}));
  EXPECT_TRUE(FileDialogs().empty()) << "no add-on file is offered";
}

TEST_F(TargetFiles, pruning_deletes_only_bare_names_inside_the_backup_folder) {
  platform::MakeDirectory(dir_ + "kerio");
  Write("kerio/winroute.cfg", "x");
  Write("kerio/winroute.cfg.old", "x");
  Write("Veltra.ini", "");
  Write("keep.txt", "precious");
  Write("Logs/KWF.log", "..\\..\\keep.txt\r\n..\r\nwinroute.cfg.01012026_000000\r\n");
  Write("Backup/KWF/winroute.cfg.01012026_000000", "old backup");
  Set("p_kwf", "1");
  Set("winroute_cfg", dir_ + "kerio\\winroute.cfg");
  Set("kwf_back", "-3");  // below 0 keeps none, as 0 does
  Input(Build<KwfStartupBackup>(), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Read("keep.txt"), "precious");
  EXPECT_FALSE(Exists("Backup/KWF/winroute.cfg.01012026_000000"));
  EXPECT_EQ(Read("Logs/KWF.log"), "");
  EXPECT_TRUE(platform::ListDirectory(dir_ + "Backup/KWF").empty());
}

TEST_F(TargetFiles, a_backup_that_cannot_be_copied_is_told_and_not_logged) {
  platform::MakeDirectory(dir_ + "kerio");
  Write("kerio/winroute.cfg", "x");
  Write("kerio/winroute.cfg.old", "x");
  std::filesystem::remove_all(dir_ + "Backup/KWF");
  Write("Backup/KWF", "a file where the folder should be");
  Set("p_kwf", "1");
  Set("winroute_cfg", dir_ + "kerio/winroute.cfg");
  Set("kwf_back", "5");
  Input(Build<KwfStartupBackup>(), 0);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("Error:: Could not back up '" + dir_ + "kerio/winroute.cfg' to '", 0), 0u);
  EXPECT_FALSE(Exists("Logs/KWF.log"));
}

TEST_F(TargetFiles, backups_of_a_private_file_are_as_private_as_the_file) {
  platform::MakeDirectory(dir_ + "etc");
  Write("etc/hosts", "127.0.0.1 localhost\n");
  ::chmod((dir_ + "etc/hosts").c_str(), 0600);
  Set("p_hosts", "1");
  Set("hosts", dir_ + "etc/hosts");
  Set("hosts_back", "5");
  auto& backup = Build<HostsStartupBackup>();
  Input(backup, 0);  // the first copy
  platform::SetFixedTime(platform::LocalTime{2026, 12, 1, 2, 10, 0, 0});
  Input(backup, 0);  // a dated one
  platform::SetFixedTime(std::nullopt);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Mode(dir_ + "etc/hosts.old"), 0600u);
  EXPECT_EQ(Mode(dir_ + "Backup/Hosts/hosts.01122026_100000"), 0600u);
}

// Root may write any folder: the starts run in a child that has become the unprivileged
// user 65534 (and owns the program folder), as a normal user who keeps the system's hosts
// file. A process that is no root can be shut out by the permission bits alone. The first
// start asks the system for its permission to make the copy beside the file, once; the
// request is dismissed here, and no later start asks again.
TEST_F(TargetFiles, a_first_copy_that_cannot_be_made_beside_the_file_asks_the_system_once_then_goes_to_the_backup_folder) {
  struct Case {
    const char *folder, *file, *backups, *log;
    void (*set)(const std::string& path);
    bool hosts;  // else Kerio Winroute Firewall
  };
  const Case cases[] = {
      {"etc", "hosts", "Backup/Hosts/", "Logs/Hosts.log",
       [](const std::string& path) {
         Set("p_hosts", "1");
         Set("hosts", path);
         Set("hosts_back", "5");
       },
       true},
      {"kerio", "winroute.cfg", "Backup/KWF/", "Logs/KWF.log",
       [](const std::string& path) {
         Set("p_kwf", "1");
         Set("winroute_cfg", path);
         Set("kwf_back", "5");
       },
       false},
  };
  for (const Case& c : cases) {
    platform::MakeDirectory(dir_ + c.folder);
    Write(std::string(c.folder) + "/" + c.file, "configuration\n");
    c.set(dir_ + c.folder + "/" + c.file);
  }
  if (::geteuid() == 0 && std::system(("chown -R 65534:65534 " + dir_).c_str()) != 0)
    GTEST_SKIP() << "the program folder cannot be given to an unprivileged user";
  for (const Case& c : cases) ::chmod((dir_ + c.folder).c_str(), 0555);
  ::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(2);
    std::vector<std::string> asked;
    platform::SetElevationHandler([&asked](const std::string& path, std::string_view bytes) {
      asked.push_back(path + " " + std::string(bytes));
      return platform::ElevatedWrite{platform::ElevatedWrite::Result::Cancelled, ""};
    });
    for (const Case& c : cases) {
      SCOPED_TRACE(c.file);
      const std::string file = dir_ + c.folder + "/" + c.file, backups = std::string(c.backups);
      auto& backup = c.hosts ? Build<HostsStartupBackup>() : Build<KwfStartupBackup>();
      ui_.ClearShownDialogs();
      asked.clear();
      platform::SetFixedTime(platform::LocalTime{2026, 12, 1, 2, 10, 0, 0});
      Input(backup, 0);
      EXPECT_EQ(asked, std::vector<std::string>{platform::RealPath(dir_ + c.folder) + "/" + c.file + ".old configuration\n"});
      EXPECT_EQ(Messages(), std::vector<std::string>{"Warning:: The first copy of '" + file +
                                                     "' could not be made beside it as '" + file +
                                                     ".old': Permission denied. The request for the system's permission "
                                                     "was cancelled. It was made as '" +
                                                     dir_ + backups + c.file + ".old' instead, where later starts find it."});
      EXPECT_EQ(Read(backups + c.file + ".old"), "configuration\n");
      EXPECT_EQ(Read(backups + c.file + ".01122026_100000"), "configuration\n") << "the same start goes on";
      EXPECT_EQ(Read(c.log), std::string(c.file) + ".01122026_100000\r\n");
      ui_.ClearShownDialogs();
      platform::SetFixedTime(platform::LocalTime{2026, 12, 2, 3, 10, 0, 5});
      Input(backup, 0);
      EXPECT_TRUE(Messages().empty()) << "a later start finds the first copy and says nothing";
      EXPECT_EQ(asked.size(), 1u) << "and asks for nothing";
      EXPECT_EQ(Read(c.log), std::string(c.file) + ".01122026_100000\r\n" + c.file + ".02122026_100005\r\n");
      EXPECT_FALSE(Exists(std::string(c.folder) + "/" + c.file + ".old"));
    }
    ::fflush(nullptr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  for (const Case& c : cases) ::chmod((dir_ + c.folder).c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 2) << "could not become the unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's checks failed (see above)";
}

TEST(SurplusEntries, are_the_oldest_beyond_the_number_kept) {
  const std::vector<std::string> log{"a", "b", "c"};
  EXPECT_EQ(SurplusEntries(log, 2), std::vector<std::string>{"a"});
  EXPECT_EQ(SurplusEntries(log, 3), std::vector<std::string>{});
  EXPECT_EQ(SurplusEntries(log, 0), log);
  EXPECT_EQ(SurplusEntries(log, -1), log);
}

TEST(KpfValue, follows_the_record_form) {
  struct Case {
    const char *record, *begin, *end;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"10.0.0.1", "", "", "10.0.0.1"},
      {"127.0.0.1", "*", "/*", "*127.0.0.1/*"},
      {"host2", "*", "", "*host2"},  // a name ending in a digit is IP-style
      {"ads.example.com", "*", "*", ".*\\ads.example\\.com*"},
      {"a.", "", "", ".*\\a\\.*"},
      {"localhost", "*", "*", std::nullopt},
      {"", "*", "*", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(KpfValue(c.record, c.begin, c.end), c.value) << c.record;
}

}  // namespace

// What scenario scripts cannot set up: files the program may not write, permission bits
// that must survive a direct write, a log that names files outside the backup folder; and
// the value forms of the Kerio Personal Firewall entries.
#include <sys/stat.h>

#include "targets/common/startup_backup.h"
#include "targets/hosts/hosts_exporter.h"
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

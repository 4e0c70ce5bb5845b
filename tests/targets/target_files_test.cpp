// What scenario scripts cannot set up: permission bits that must survive a direct write or a
// backup, a log that names files outside the backup folder; and the edge forms of the Kerio
// Personal Firewall values (the usual ones are in the scenario kpf_exports_in_three_modes).
#include <sys/stat.h>

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
  EXPECT_FALSE(platform::IsFile(dir_ + "Backup/KWF/winroute.cfg.01012026_000000"));
  EXPECT_EQ(Read("Logs/KWF.log"), "");
  EXPECT_TRUE(platform::ListDirectory(dir_ + "Backup/KWF").empty());
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
  Input(backup, 0);  // a dated one
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Mode(dir_ + "etc/hosts.old"), 0600u);
  EXPECT_EQ(Mode(dir_ + "Backup/Hosts/hosts.05122026_095312"), 0600u);
}

TEST(KpfValue, follows_the_record_form) {
  struct Case {
    const char *record, *begin, *end;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"host2", "*", "", "*host2"},  // a name ending in a digit is IP-style
      {"a.", "", "", ".*\\a\\.*"},
      {"", "*", "*", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(KpfValue(c.record, c.begin, c.end), c.value) << c.record;
}

}  // namespace

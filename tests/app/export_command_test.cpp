// The export from the command line: the categories the settings check, User_BadList added
// and User_NO_BadList taken out, straight into the target's file; exit code 1, the reason
// told and no file changed when the target is not set up, its file has no place for the
// entries, or the write fails.
#include "app/export_command.h"
#include "tests/app/program_fixture.h"

#include <filesystem>

#include <sstream>

namespace {

// The settings, with the program folder for {}.
std::string Ini(const std::string& dir) {
  std::string ini =
      "[VELTR_Setting]\r\np_kwf=1\r\n"
      "[KWF]\r\nwinroute_cfg={}winroute.cfg\r\nbegin_kwfall=\r\nend_kwfall=\r\ngroup_name=Ads\r\n"
      "[BanList]\r\ngen_advert=1\r\ngen_porno=0\r\ngen_misc=1\r\nfile={}banlist.txt\r\nname=Me\r\n"
      "[Resolvers]\r\ndnsmasq={}block.conf\r\nunbound={}missing\\block.conf\r\nrpz={}foreign.zone\r\n";
  for (size_t at; (at = ini.find("{}")) != std::string::npos;) ini.replace(at, 2, dir);
  return ini;
}

class ExportCommand : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Write("Veltra.ini", Ini(dir_));
    Write("Lists/Advertisement.txt", "ads.example.com\r\nKept.Example.com\r\n");
    Write("Lists/Misc.txt", "misc.example.com\r\n");
    Write("Lists/Porno.txt", "unchecked.example.com\r\n");
    Write("Lists/User_BadList.txt", "always.example.com\r\n");
    Write("Lists/User_NO_BadList.txt", "kept.example.com\r\n");
    Write("foreign.zone", "$TTL 60\n");
  }
  int Export(const std::string& target) {
    ui_.ClearShownDialogs();
    summaries_.str("");
    return RunExport(target, ui_, summaries_);
  }

  std::ostringstream summaries_;
};

TEST_F(ExportCommand, writes_the_checked_categories_and_the_user_lists_straight_into_the_file) {
  ASSERT_EQ(Export("dnsmasq"), 0) << ::testing::PrintToString(Messages());
  EXPECT_TRUE(Messages().empty());
  const std::string conf = Read("block.conf");
  EXPECT_NE(conf.find("# Number of URL Records: 3\n"), std::string::npos) << conf;
  EXPECT_TRUE(conf.ends_with("address=/ads.example.com/\naddress=/misc.example.com/\naddress=/always.example.com/\n"))
      << conf;

  ASSERT_EQ(Export("banlist"), 0);
  const std::string ban_list = Read("banlist.txt");
  EXPECT_NE(ban_list.find("[Advertisement]\r\nads.example.com\r\nkept.example.com\r\n"), std::string::npos) << ban_list;
  EXPECT_EQ(ban_list.find("unchecked.example.com"), std::string::npos);
}

TEST_F(ExportCommand, fails_with_the_reason_and_changes_no_file_when_the_target_cannot_be_written) {
  struct Case {
    const char* target;
    const char* told;  // the start of the message
    const char* file;  // stays as it was
  };
  const Case cases[] = {
      {"adblock", "Error:: No file is set for Adblock-style List (page \"Setting\").", nullptr},
      {"rpz", "Error:: File '", "foreign.zone"},
      {"unbound", "Error:: Could not save '", nullptr},
      {"kwf", "Error:: File '", "winroute.cfg"},
  };
  Write("winroute.cfg", "<config>\r\n</config>\r\n");  // no group list to put the entries in
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const std::string before = c.file ? Read(c.file) : "";
    EXPECT_EQ(Export(c.target), 1);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].starts_with(c.told)) << Messages()[0];
    if (c.file) {
      EXPECT_EQ(Read(c.file), before);
    }
  }
  Write("Veltra.ini", "[VELTR_Setting]\r\n");
  EXPECT_EQ(Export("banlist"), 1);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Error:: No file is set for the ban list (\"Create File:\" on page "
                                                 "\"Setting\", panel \"BanList\"). Nothing was written."});
  EXPECT_EQ(Read("banlist.txt"), "<missing>");
}

// What a timer's export finds in a folder it should not trust: no Lists folder (the wrong
// --dir, a folder being restored), a list that cannot be read whole. Each ends with exit
// code 1 and the reason, and the file stays as the last good export left it.
TEST_F(ExportCommand, refuses_a_folder_without_lists_and_a_list_it_cannot_read) {
  ASSERT_EQ(Export("dnsmasq"), 0);
  const std::string written = Read("block.conf");
  Write("Lists/Misc.txt", std::string("misc.example.com\r\n\0more.example.com\r\n", 38));
  EXPECT_EQ(Export("dnsmasq"), 1);
  ASSERT_FALSE(Messages().empty());
  EXPECT_NE(Messages()[0].find("Misc.txt"), std::string::npos) << Messages()[0];
  std::filesystem::remove_all(dir_ + "Lists");
  EXPECT_EQ(Export("dnsmasq"), 1);
  // The folder as the system names it (on Windows a drive's path).
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: There is no folder '")) << Messages()[0];
  EXPECT_TRUE(
      Messages()[0].ends_with("Lists': this program folder holds no lists to export (--dir names another). "
                              "Nothing was written."))
      << Messages()[0];
  EXPECT_EQ(Read("block.conf"), written);
}

// The first export into a system file keeps it as it was, as a start of the window does;
// names no resolver could look up never reach the hosts file; a file with other names is
// never split from them.
TEST_F(ExportCommand, a_hosts_export_keeps_a_first_copy_and_writes_host_names_only) {
  Write("Veltra.ini", Ini(dir_) + "[Hosts]\r\nhosts={}hosts\r\nIP=0.0.0.0\r\n");
  std::string ini = Read("Veltra.ini");
  for (size_t at; (at = ini.find("{}")) != std::string::npos;) ini.replace(at, 2, dir_);
  ini.replace(ini.find("p_kwf=1"), 7, "p_hosts=1");
  Write("Veltra.ini", ini);
  Write("Lists/Advertisement.txt", "ads.example.com\r\n141.98.82.232\r\n" + std::string(64, 'x') + ".example.com\r\n");
  Write("hosts", "127.0.0.1\tlocalhost\n");
  ASSERT_EQ(Export("hosts"), 0) << ::testing::PrintToString(Messages());
  EXPECT_EQ(Read("hosts.old"), "127.0.0.1\tlocalhost\n");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("2 of 5 records were left out"), std::string::npos) << Messages()[0];
  const std::string hosts = Read("hosts");
  EXPECT_NE(hosts.find("0.0.0.0       ads.example.com\n"), std::string::npos) << hosts;
  EXPECT_EQ(hosts.find("141.98.82.232"), std::string::npos) << hosts;
  EXPECT_EQ(hosts.find("xxxx"), std::string::npos) << hosts;

  const std::string before = Read("hosts");
  std::filesystem::create_hard_link(dir_ + "hosts", dir_ + "hosts-link");
  Write("Lists/Misc.txt", "more.example.com\r\n");
  EXPECT_EQ(Export("hosts"), 1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("other names (hard links)"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Read("hosts"), before);
  EXPECT_EQ(Read("hosts-link"), before);
}

// Every export says what it wrote into which file; with no category checked it would write
// User_BadList alone, and so it is refused. The firewalls keep taking addresses.
TEST_F(ExportCommand, says_what_it_wrote_and_refuses_an_export_without_a_category) {
  ASSERT_EQ(Export("dnsmasq"), 0);
  EXPECT_EQ(summaries_.str(),
            platform::NativePath(dir_ + "block.conf") + ": 3 names written, 3 new, 0 taken out, 0 left out\n");
  ASSERT_EQ(Export("banlist"), 0);
  ASSERT_EQ(Export("banlist"), 0);
  EXPECT_EQ(summaries_.str(),
            platform::NativePath(dir_ + "banlist.txt") + ": 3 names written, 0 new, 0 taken out, 0 left out\n");

  Write("winroute.cfg", "<config>\r\n  <list name=\"UrlGroups\">\r\n  </list>\r\n</config>\r\n");
  Write("Lists/Misc.txt", "141.98.82.232\r\n");
  ASSERT_EQ(Export("kwf"), 0) << ::testing::PrintToString(Messages());
  EXPECT_NE(Read("winroute.cfg").find("<variable name=\"Url\">141.98.82.232</variable>"), std::string::npos);

  std::string ini = Read("Veltra.ini");
  for (const char* key : {"gen_advert=1", "gen_misc=1"}) ini.replace(ini.find(key), std::string(key).size(), "x=1");
  Write("Veltra.ini", ini);
  const std::string before = Read("block.conf");
  EXPECT_EQ(Export("dnsmasq"), 1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: No category is checked for export")) << Messages()[0];
  EXPECT_TRUE(summaries_.str().empty());
  EXPECT_EQ(Read("block.conf"), before);
}

}  // namespace

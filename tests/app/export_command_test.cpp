// The export from the command line: the categories the settings check, User_BadList added
// and User_NO_BadList taken out, straight into the target's file; exit code 1, the reason
// told and no file changed when the target is not set up, its file has no place for the
// entries, or the write fails.
#include "app/export_command.h"
#include "tests/app/program_fixture.h"

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
    return RunExport(target, ui_);
  }
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

}  // namespace

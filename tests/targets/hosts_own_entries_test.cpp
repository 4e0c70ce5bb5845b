// The hosts file's own entries: the record the program keeps of the lines it wrote decides
// what an export takes out, also after a run that stopped between its saves, and a file an
// older version wrote keeps its entries as the user's. Every export says what it did.
#include <filesystem>

#include "targets/hosts/hosts_exporter.h"
#include "targets/hosts/hosts_own_entries.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;

class HostsOwnEntries : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    Set("hosts", dir_ + "hosts");
    Set("hosts_program", "1");
    Set("ip", "0.0.0.0");
  }
  void Export(const Records& records) {
    Feed(exporter_, records);
    Input(exporter_, 2);
  }
  // The file below the banner.
  std::string Body() {
    const std::string text = Read("hosts");
    const size_t at = text.find("\r\n\r\n");
    return at == std::string::npos ? text : text.substr(at + 4);
  }
  std::string RecordFile() { return THostsOwnEntries::RecordPath(dir_, dir_ + "hosts"); }

  TKXMultiElement& exporter_ = Build<HostsExporter>();
};

TEST_F(HostsOwnEntries, a_file_an_older_version_wrote_keeps_its_entries_until_the_user_removes_them) {
  Write("hosts", "127.0.0.1 localhost\r\n0.0.0.0       old.example.com\r\n");
  Export({"new.example.com"});
  EXPECT_EQ(Body(), "127.0.0.1 localhost\r\n0.0.0.0       old.example.com\r\n0.0.0.0       new.example.com\r\n");
  // Removed once by hand and listed again, the name is the program's from then on.
  Write("hosts", "127.0.0.1 localhost\r\n0.0.0.0       new.example.com\r\n");
  Export({"new.example.com", "old.example.com"});
  Export({"new.example.com"});
  EXPECT_EQ(Body(), "127.0.0.1 localhost\r\n0.0.0.0       new.example.com\r\n");
}

// A run that stops between its saves leaves the record written before the hosts file, or the
// hosts file written before the last record: neither ever claims the copy the user made of
// one of the program's lines, whose name the run took out.
TEST_F(HostsOwnEntries, a_run_stopped_between_its_saves_never_leaves_a_line_of_the_users_to_be_taken_out) {
  const std::string copy = "0.0.0.0       b.example.com";
  Write("hosts", "127.0.0.1 localhost\r\n");
  Export({"a.example.com", "b.example.com"});
  Write("hosts", Read("hosts") + copy + "\r\n");
  // The hosts file cannot be replaced (it has a second name): the run ends after the first
  // save of the record.
  std::filesystem::create_hard_link(dir_ + "hosts", dir_ + "second");
  const std::string before = Read("hosts");
  Export({"a.example.com", "c.example.com"});
  EXPECT_EQ(Read("hosts"), before);
  ASSERT_EQ(Messages().size(), 1u);
  const std::string first_record = platform::ReadFile(RecordFile()).value_or("");
  // Stopped there: the next run finds the old file and the first record. The program's own
  // line for b.example.com is left to the user; nothing of the user's goes.
  std::filesystem::remove(dir_ + "second");
  Export({"a.example.com", "c.example.com"});
  EXPECT_EQ(Body(),
            "127.0.0.1 localhost\r\n0.0.0.0       a.example.com\r\n0.0.0.0       c.example.com\r\n"
            "0.0.0.0       b.example.com\r\n" +
                copy + "\r\n");

  // Stopped after the hosts file: the new file with the first record.
  Write("hosts", "127.0.0.1 localhost\r\n");
  std::filesystem::remove(RecordFile());
  Export({"a.example.com", "b.example.com"});
  Write("hosts", Read("hosts") + copy + "\r\n");
  Export({"a.example.com", "c.example.com"});
  ASSERT_TRUE(platform::WriteFileAtomic(RecordFile(), first_record));
  Export({"a.example.com", "c.example.com"});
  EXPECT_EQ(Body(),
            "127.0.0.1 localhost\r\n0.0.0.0       a.example.com\r\n0.0.0.0       c.example.com\r\n" + copy + "\r\n");
}

TEST_F(HostsOwnEntries, each_export_tells_the_names_written_new_taken_out_and_left_out) {
  Summaries told;
  told.Listen(exporter_);
  Write("hosts", "127.0.0.1 localhost\r\n0.0.0.0 mine.example.com\r\n");
  Export({"a.example.com", "b.example.com", "mine.example.com", "10.0.0.1"});
  Export({"a.example.com", "c.example.com", "d.example.com"});
  Set("hosts_program", "0");
  ui_.QueueSaveAnswer(dir_ + "add-on.txt");
  Export({"a.example.com", "e.example.com"});
  const std::string hosts = platform::NativePath(dir_ + "hosts");
  EXPECT_EQ(told.lines,
            (Records{hosts + ": 2 names written, 2 new, 0 taken out, 1 left out",
                     hosts + ": 3 names written, 2 new, 1 taken out, 0 left out",
                     platform::NativePath(dir_ + "add-on.txt") + ": 1 name written, 1 new, 0 taken out, 0 left out"}));
  EXPECT_NE(Read("hosts").find("Number of URL Records: 3\r\n"), std::string::npos);
}

}  // namespace

// Folder chains with TKXDir, and copying and deleting with TKXFileTools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "elements/files/dir.h"
#include "elements/files/file_tools.h"
#include "elements/files/probe.h"
#include "elements/files/temp_folder.h"
#include "runtime/platform/files.h"

namespace {

using platform::IsDirectory;
using platform::IsFile;

void Create(const std::string& name) {
  TKXDir dir;
  FireEvent(MakeLink<&TKXDir::doCreate>(dir), name);
}

TEST(DirCreate, builds_the_missing_chain_below_an_existing_folder) {
  TempFolder tmp;
  tmp.MakeFolder("Prog");
  Create(tmp / "Prog\\Backup\\KWF");
  EXPECT_TRUE(IsDirectory(tmp / "Prog\\Backup"));
  EXPECT_TRUE(IsDirectory(tmp / "Prog\\Backup\\KWF"));
}

TEST(DirCreate, accepts_a_trailing_separator_of_either_kind) {
  TempFolder tmp;
  Create(tmp / "Lists\\");
  Create(tmp.Path() + "/Logs/");
  EXPECT_TRUE(IsDirectory(tmp / "Lists"));
  EXPECT_TRUE(IsDirectory(tmp / "Logs"));
}

TEST(DirCreate, leaves_an_existing_folder_and_its_content_alone) {
  TempFolder tmp;
  tmp.MakeFolder("Lists");
  tmp.Write("Lists\\Misc.txt", "a\r\n");
  EXPECT_TRUE(CreateFolderChain(tmp / "Lists"));
  EXPECT_EQ(platform::ReadFile(tmp / "Lists\\Misc.txt"), "a\r\n");
}

TEST(DirCreate, fails_for_an_empty_name_or_a_file_in_the_way) {
  TempFolder tmp;
  tmp.Write("plain", "");
  EXPECT_FALSE(CreateFolderChain(""));
  EXPECT_FALSE(CreateFolderChain(tmp / "plain\\sub"));
  EXPECT_FALSE(IsDirectory(tmp / "plain\\sub"));
  EXPECT_FALSE(CreateFolderChain(std::string(100000, 'x') + "\\y"));
}

// Relative names start from the current folder, so these tests move into the scratch folder.
class DirCreateRelative : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(::getcwd(old_, sizeof old_), nullptr);
    ASSERT_EQ(::chdir(tmp.Path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(::chdir(old_), 0); }
  TempFolder tmp;
  char old_[4096] = {};
};

TEST_F(DirCreateRelative, creates_nothing_when_the_first_folder_is_missing) {
  Create("Backup\\KWF");
  EXPECT_FALSE(IsDirectory(tmp / "Backup"));
  EXPECT_FALSE(IsDirectory(tmp / "Backup\\KWF"));
}

TEST_F(DirCreateRelative, creates_the_last_folder_when_the_first_exists) {
  tmp.MakeFolder("Backup");
  Create("Backup\\KWF");
  EXPECT_TRUE(IsDirectory(tmp / "Backup\\KWF"));
}

TEST(DirProgramDir, tells_the_program_folder_with_its_trailing_separator) {
  TempFolder tmp;
  const std::string before = platform::ProgramDir();
  platform::SetProgramDir(tmp.Path());
  TKXDir dir;
  TData v;
  PullData(MakeLink<&TKXDir::varProgramDir>(dir), v);
  EXPECT_EQ(v.text, tmp.Path() + "/");
  platform::SetProgramDir(before);
}

class FileTools : public testing::Test {
 protected:
  void SetUp() override {
    tools.onDone = done.Link();
    source.value = MakeText(tmp / "dest.txt");
    tools.dataDest = source.Link();
  }
  // The source name arrives with the event; the destination comes from dataDest.
  void Copy(const std::string& from) { FireEvent(MakeLink<&TKXFileTools::doCopy>(tools), from); }
  void Delete(const std::string& name) { FireEvent(MakeLink<&TKXFileTools::doDelete>(tools), name); }

  TempFolder tmp;
  TKXFileTools tools;
  Source source;
  Probe done;
};

TEST_F(FileTools, copy_replaces_the_destination_and_fires_done_once) {
  tmp.Write("src.txt", std::string("new\0data", 8));
  tmp.Write("dest.txt", "old content");
  Copy(tmp / "src.txt");
  EXPECT_EQ(platform::ReadFile(tmp / "dest.txt"), std::string("new\0data", 8));
  ASSERT_EQ(done.Count(), 1u);
  EXPECT_TRUE(done.values[0].IsEmpty());
}

TEST_F(FileTools, a_failed_copy_fires_nothing_even_over_an_older_destination) {
  Copy(tmp / "missing.txt");
  EXPECT_FALSE(IsFile(tmp / "dest.txt"));
  tmp.Write("dest.txt", "old");
  Copy(tmp / "missing.txt");
  EXPECT_EQ(platform::ReadFile(tmp / "dest.txt"), "old");
  EXPECT_EQ(done.Count(), 0u);
}

TEST_F(FileTools, delete_removes_the_file_with_or_without_permanent) {
  tmp.Write("a.bak", "");
  tmp.Write("b.bak", "");
  tools.Permanent = true;
  Delete(tmp / "a.bak");
  tools.Permanent = false;
  Delete(tmp / "b.bak");
  EXPECT_FALSE(IsFile(tmp / "a.bak"));
  EXPECT_FALSE(IsFile(tmp / "b.bak"));
  EXPECT_EQ(done.Count(), 2u);
}

TEST_F(FileTools, deleting_a_missing_file_fires_done) {
  Delete(tmp / "never.there");
  EXPECT_EQ(done.Count(), 1u);
}

}  // namespace

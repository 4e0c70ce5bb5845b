// Folder chains with TKXDir, copying and deleting with TKXFileTools, and the clipboard text.
#include <gtest/gtest.h>

#include <string>

#include "elements/files/clipboard.h"
#include "elements/files/dir.h"
#include "elements/files/file_tools.h"
#include "elements/files/fixture.h"
#include "runtime/platform/files.h"

namespace {

using platform::IsDirectory;
using platform::ReadFile;
using namespace std::string_literals;

TEST(DirCreate, builds_the_missing_chain_with_either_separator_and_leaves_what_stands_alone) {
  TempFolder tmp;
  TKXDir dir;
  tmp.Write("plain", "");
  for (const std::string& name : {tmp / "Prog\\Backup\\KWF", tmp.Path() + "/Logs/", tmp / "plain\\x"})
    FireEvent(MakeLink<&TKXDir::doCreate>(dir), name);
  EXPECT_TRUE(IsDirectory(tmp / "Prog\\Backup\\KWF") && IsDirectory(tmp / "Logs"));
  EXPECT_FALSE(IsDirectory(tmp / "plain\\x"));  // a file in the way
  EXPECT_TRUE(CreateFolderChain(tmp / "Prog"));
  EXPECT_FALSE(CreateFolderChain("") || CreateFolderChain(std::string(100000, 'x') + "\\y"));
}

// Answers dataDest with a fixed name.
struct Dest {
  std::string name;
  void varValue(TData& v, uint16_t) { v = MakeText(name); }
};

TEST(FileTools, only_a_copy_made_or_a_file_gone_fires_done) {
  TempFolder tmp;
  TKXFileTools tools;
  Probe done;
  Dest dest{tmp / "dest.txt"};
  tools.onDone = done.Link(), tools.dataDest = MakeLink<&Dest::varValue>(dest);
  tmp.Write("src.txt", "new\0data"s);
  tmp.Write("dest.txt", "old");
  FireEvent(MakeLink<&TKXFileTools::doCopy>(tools), tmp / "missing.txt");
  EXPECT_EQ(ReadFile(tmp / "dest.txt"), "old");  // a destination left from before is no success
  EXPECT_TRUE(done.got.empty());
  FireEvent(MakeLink<&TKXFileTools::doCopy>(tools), tmp / "src.txt");
  EXPECT_EQ(ReadFile(tmp / "dest.txt"), "new\0data"s);
  tools.Permanent = true;
  FireEvent(MakeLink<&TKXFileTools::doDelete>(tools), tmp / "src.txt");
  tools.Permanent = false;
  FireEvent(MakeLink<&TKXFileTools::doDelete>(tools), tmp / "dest.txt");
  FireEvent(MakeLink<&TKXFileTools::doDelete>(tools), tmp / "never.there");
  EXPECT_FALSE(platform::IsFile(tmp / "src.txt") || platform::IsFile(tmp / "dest.txt"));
  ASSERT_EQ(done.got.size(), 4u);
  EXPECT_TRUE(done.got[0].IsEmpty());
}

TEST(Clipboard, reads_the_stored_text_or_an_installed_source_up_to_the_first_nul) {
  TKXClipboard clip;
  TData v;
  SetClipboardText("stored");
  SetClipboardSource([] { return std::string("a.com\0b.com", 11); });
  PullData(MakeLink<&TKXClipboard::varText>(clip), v);
  EXPECT_EQ(v.text, "a.com");
  SetClipboardSource({});
  PullData(MakeLink<&TKXClipboard::varText>(clip), v);
  EXPECT_EQ(v.text, "stored");
  SetClipboardText("");
}

}  // namespace

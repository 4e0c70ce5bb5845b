// Folder chains made for the program's folders, and the clipboard text cut at its first NUL.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "elements/files/clipboard.h"
#include "elements/files/dir.h"
#include "runtime/platform/files.h"

namespace {

using platform::IsDirectory;

TEST(CreateFolderChain, builds_the_missing_chain_and_fails_where_a_file_stands_in_the_way) {
  std::string dir = (std::filesystem::temp_directory_path() / "veltrane-dir-XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  platform::WriteFileAtomic(dir + "\\plain", "");
  EXPECT_TRUE(CreateFolderChain(dir + "\\Prog\\Backup\\Web"));
  EXPECT_TRUE(IsDirectory(dir + "\\Prog\\Backup\\Web"));
  EXPECT_TRUE(CreateFolderChain(dir + "/Prog/"));  // already standing
  EXPECT_FALSE(CreateFolderChain(dir + "\\plain\\x") || IsDirectory(dir + "\\plain\\x"));
  EXPECT_FALSE(CreateFolderChain(""));
  std::filesystem::remove_all(dir);
}

// A NUL that reached a record would leave a list that is never saved again.
TEST(Clipboard, reads_the_installed_source_up_to_the_first_nul) {
  TKXClipboard clip;
  TData v;
  SetClipboardSource([] { return std::string("a.com\0b.com", 11); });
  clip.varText(v, 0);
  EXPECT_EQ(v.text, "a.com");
  SetClipboardSource({});
}

}  // namespace

// The edit-lists page where the scenarios do not go: moves and "All >>>" that never lose a
// record when a list cannot be saved or was changed on disk, and sources not read whole.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "tests/app/program_fixture.h"

namespace {

using widgets::ControlKind;
using Shown = std::deque<std::string>;

class EditListsPage : public ProgramTest {
 protected:
  void ShowUnsortedBeside(const std::string& category) {
    Start();
    Pick("Unsorted (Edit Lists)");
    Click("Load from:");
    Pick(category);
  }
  void OfferThree() {
    Write("list.txt", "0.0.0.0 one.example.com\n||two.example.com^\nthree.example.com\n");
    Start();
    Pick("Web List (Load)");
    ui_.QueueOpenAnswer(dir_ + "list.txt");
    Click("Load from:");
  }
};

// After Unsorted is loaded the category list is empty and names no file, while the chooser
// may still show a category: a move must not drop the record from Unsorted.
TEST_F(EditListsPage, nothing_is_filed_while_no_category_file_is_shown) {
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Start();
  Pick("Text File (Load)");
  Pick("Porno");
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  ClickItem(0, 0);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "one.com\r\n");
  EXPECT_FALSE(platform::IsFile(dir_ + "Lists/Porno.txt"));
  EXPECT_EQ(Items(0).size(), 1u);
}

// A ban list rewrites the list files as it loads; a category shown from before would be
// stale, and a move would save it over the merged file. Choosing that source forgets it.
TEST_F(EditListsPage, the_ban_list_source_forgets_the_category_shown) {
  Write("Lists/Porno.txt", "old.com\r\n");
  Start();
  Pick("Text File (Load)");
  Pick("Porno");
  EXPECT_EQ(Items(1).size(), 1u);
  Pick("URL Ban List (AUTO Load)");
  EXPECT_TRUE(Items(1).empty());
  EXPECT_EQ(ui_.Find(Seen(ControlKind::ComboBox, 1))->selection, 0);
  EXPECT_FALSE(ui_.CanAct(Seen(ControlKind::ComboBox, 1)));
}

TEST_F(EditListsPage, a_move_back_saves_both_files_but_never_over_an_unsorted_changed_on_disk) {
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Write("Lists/Porno.txt", "p1.com\r\np2.com\r\n");
  ShowUnsortedBeside("Porno");
  ClickItem(1, 0);
  Click("<<<");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "p1.com\r\none.com\r\n");
  EXPECT_EQ(Read("Lists/Porno.txt"), "p2.com\r\n");

  Write("Lists/Unsorted.txt", "other.com\r\n");  // another program, meanwhile
  ClickItem(1, 0);
  Click("<<<");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "other.com\r\n");
  EXPECT_EQ(Read("Lists/Porno.txt"), "p2.com\r\n");
  EXPECT_EQ(Items(0), (Shown{"other.com"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Unsorted.txt' was changed on disk"), std::string::npos) << Messages()[0];
}

// A source file that cannot be read whole loads nothing, with a word: a FIFO (reading one
// would wait for ever), a NUL byte. Both loaders read through one check.
TEST_F(EditListsPage, a_source_that_cannot_be_read_whole_loads_nothing_and_says_why) {
  // Not "nul.txt": Windows keeps that name for its null device.
  Write("zero.txt", std::string("a.com\n\0b.com\n", 13));
  std::vector<std::pair<std::string, std::string>> cases{{"zero.txt", "zero.txt' holds a NUL byte"}};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((dir_ + "pipe.txt").c_str(), 0600), 0);
  cases.push_back({"pipe.txt", "pipe.txt': Not a regular file"});
#endif
  Start();
  for (const char* source : {"Text File (Load)", "Web List (Load)"}) {
    Pick(source);
    for (const auto& [name, said] : cases) {
      ui_.QueueOpenAnswer(dir_ + name);
      Click("Load from:");
      EXPECT_EQ(LabelText(0), "Not Loaded") << source << name;
      EXPECT_TRUE(Items(0).empty()) << source << name;
      ASSERT_FALSE(Messages().empty());
      EXPECT_NE(Messages().back().find(said), std::string::npos) << Messages().back();
    }
  }
  EXPECT_EQ(Messages().size(), 2 * cases.size());

  // Unsorted that is UTF-16 is not shown, so nothing moves out of it.
  const std::string utf16("\xFF\xFEo\0n\0e\0.\0c\0o\0m\0\r\0\n\0", 20);
  Write("Lists/Unsorted.txt", utf16);
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  EXPECT_EQ(LabelText(0), "Not Loaded");
  EXPECT_NE(Messages().back().find("Unsorted.txt' is UTF-16 text"), std::string::npos) << Messages().back();
  EXPECT_FALSE(ui_.CanAct(ui_.FindSeen(">>>")));
  EXPECT_EQ(Read("Lists/Unsorted.txt"), utf16);
}

TEST_F(EditListsPage, all_never_saves_into_a_category_that_cannot_be_saved_or_was_changed_on_disk) {
  Write("Lists/Misc.txt", "m.example.com\r\n");
  ReadOnly("Lists/Misc.txt");
  Write("Lists/Porno.txt", "old.example.com\r\n");
  OfferThree();
  Pick("Misc");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.example.com\r\n");
  EXPECT_EQ(Items(1), (Shown{"m.example.com"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: Could not save '")) << Messages()[0];

  Pick("Porno");
  Write("Lists/Porno.txt", "other.example.com\r\nold.example.com\r\n");  // another program, meanwhile
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "other.example.com\r\nold.example.com\r\n");
  EXPECT_EQ(Items(0).size(), 3u);
  EXPECT_EQ(Items(1), (Shown{"other.example.com", "old.example.com"}));
}

TEST_F(EditListsPage, all_out_of_unsorted_saves_both_files) {
  Write("Lists/Unsorted.txt", "u1.example.com\r\nu2.example.com\r\n");
  Write("Lists/Viruses (and similar).txt", "v.example.com\r\n");
  ShowUnsortedBeside("Unsorted");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "u1.example.com\r\nu2.example.com\r\n") << "Unsorted on both sides";
  Pick("Viruses (and similar)");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Viruses (and similar).txt"), "u1.example.com\r\nu2.example.com\r\nv.example.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "");
}

}  // namespace

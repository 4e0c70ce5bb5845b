// The edit-lists page: moves that are saved at once, and never lose a record when a
// list cannot be saved; remembered clicks that do not outlive their list.
#include <gtest/gtest.h>

#include "tests/app/program_fixture.h"

namespace {

using widgets::ControlKind;

class EditListsPage : public ProgramTest {
 protected:
  // Unsorted on the left, a category on the right.
  void ShowUnsortedBeside(const std::string& category) {
    Start();
    Pick("Unsorted (Edit Lists)");
    Click("Load from:");
    Pick(category);
  }
};

TEST_F(EditListsPage, a_move_is_saved_in_both_files_at_once) {
  Write("Lists/Unsorted.txt", "one.com\ntwo.com\n");
  Write("Lists/Porno.txt", "old.com\r\n");
  ShowUnsortedBeside("Porno");
  ClickItem(0, 1);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "two.com\r\nold.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "one.com\r\n");
  ClickItem(1, 0);
  Click("<<<");
  EXPECT_EQ(Read("Lists/Porno.txt"), "old.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "two.com\r\none.com\r\n");
}

TEST_F(EditListsPage, a_move_whose_new_list_cannot_be_saved_leaves_both_files_and_both_lists_as_they_were) {
  Write("Lists/Unsorted.txt", "one.com\ntwo.com\n");
  Write("Lists/Porno.txt", "old.com\r\n");
  ReadOnly("Lists/Porno.txt");
  ShowUnsortedBeside("Porno");
  ClickItem(0, 1);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "old.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "one.com\ntwo.com\n");
  EXPECT_EQ(Items(0), (std::deque<std::string>{"one.com", "two.com"}));
  EXPECT_EQ(Items(1), (std::deque<std::string>{"old.com"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: Could not save '")) << Messages()[0];
  EXPECT_NE(Messages()[0].find("Porno.txt': "), std::string::npos) << Messages()[0];
  EXPECT_TRUE(Messages()[0].ends_with(". The file was left as it was.")) << Messages()[0];
  EXPECT_EQ(LabelText(3), "2");
  EXPECT_EQ(LabelText(5), "1");
}

TEST_F(EditListsPage, a_record_moved_back_to_an_unsaveable_unsorted_stays_in_its_category) {
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Write("Lists/Misc.txt", "m.com\r\n");
  ReadOnly("Lists/Unsorted.txt");
  ShowUnsortedBeside("Misc");
  ClickItem(1, 0);
  Click("<<<");
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.com\r\n");
  EXPECT_EQ(Items(1), (std::deque<std::string>{"m.com"}));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(EditListsPage, a_click_is_forgotten_when_its_list_is_loaded_again) {
  Write("Lists/Unsorted.txt", "one.com\r\ntwo.com\r\n");
  ShowUnsortedBeside("Misc");
  ClickItem(0, 0);
  Click("Load from:");  // Unsorted again, and no category any more
  Pick("Misc");
  Click(">>>");
  EXPECT_EQ(Read("Lists/Misc.txt"), "");
  EXPECT_EQ(Items(0).size(), 2u);
}

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

TEST_F(EditListsPage, a_source_that_loads_nothing_says_so_and_offers_no_move) {
  Start();
  Pick("Kerio Winroute Firewall (Load)");
  ui_.QueueOpenAnswer(std::nullopt);
  Click("Load from:");
  EXPECT_EQ(LabelText(0), "Not Loaded");
  EXPECT_FALSE(ui_.CanAct(ui_.FindSeen(">>>")));
  EXPECT_EQ(ui_.Find(ui_.FindSeen("<- Delete"))->text, "<- Delete");
}

}  // namespace

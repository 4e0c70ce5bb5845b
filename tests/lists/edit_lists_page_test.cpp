// The edit-lists page: moves that are saved at once, and never lose a record when a
// list cannot be saved; remembered clicks that do not outlive their list.
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

// The page starts with the ban list as its source, exactly as if the user had chosen it:
// no category can be chosen whose file the load is about to rewrite.
TEST_F(EditListsPage, the_page_starts_set_up_for_the_ban_list_source) {
  Start();
  const widgets::ControlId chooser = Seen(ControlKind::ComboBox, 1);
  EXPECT_FALSE(ui_.CanAct(chooser));
  EXPECT_EQ(ui_.Find(chooser)->selection, 0);
  EXPECT_EQ(ui_.Find(Seen(ControlKind::ComboBox, 0))->selection, 0);
  EXPECT_FALSE(ui_.CanAct(ui_.FindSeen(">>>")));
}

// Whatever changed the file since the list was shown (another program, an update), the
// list is never saved over it: the move is refused, the list shows the file again.
TEST_F(EditListsPage, a_list_file_changed_on_disk_is_shown_again_and_never_saved_over) {
  Write("Lists/Unsorted.txt", "one.com\r\ntwo.com\r\n");
  Write("Lists/Porno.txt", "old.com\r\n");
  ShowUnsortedBeside("Porno");
  Write("Lists/Porno.txt", "p1.com\r\np2.com\r\nold.com\r\n");
  ClickItem(0, 0);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "p1.com\r\np2.com\r\nold.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "one.com\r\ntwo.com\r\n");
  EXPECT_EQ(Items(1), (std::deque<std::string>{"p1.com", "p2.com", "old.com"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Porno.txt' was changed on disk"), std::string::npos) << Messages()[0];

  // Once shown again, the next move files into the file as it is now.
  ClickItem(0, 0);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "one.com\r\np1.com\r\np2.com\r\nold.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "two.com\r\n");

  // The same for Unsorted on the left, on a move back.
  Write("Lists/Unsorted.txt", "two.com\r\nthree.com\r\n");
  ClickItem(1, 0);
  Click("<<<");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "two.com\r\nthree.com\r\n");
  EXPECT_EQ(Read("Lists/Porno.txt"), "one.com\r\np1.com\r\np2.com\r\nold.com\r\n");
  EXPECT_EQ(Items(0), (std::deque<std::string>{"two.com", "three.com"}));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditListsPage, a_file_touched_but_holding_the_same_records_takes_the_move) {
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Write("Lists/Porno.txt", "old.com\r\n");
  ShowUnsortedBeside("Porno");
  Write("Lists/Porno.txt", "old.com\r\n");  // saved again by another program, unchanged
  ClickItem(0, 0);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "one.com\r\nold.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "");
  EXPECT_TRUE(Messages().empty());
}

// A NUL byte ends the text the program reads; saving the list from that reading would
// lose every record behind it. Such a list is not shown, so nothing is saved over it.
TEST_F(EditListsPage, a_list_file_holding_a_nul_byte_is_not_shown_and_never_saved) {
  const std::string porno("a.com\r\n\0b.com\r\nc.com\r\n", 22);
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Write("Lists/Porno.txt", porno);
  ShowUnsortedBeside("Porno");
  EXPECT_TRUE(Items(1).empty());
  EXPECT_EQ(ui_.Find(Seen(ControlKind::ComboBox, 1))->selection, 0);
  // Told twice: the start kept the backup of the last start, and the list is not shown.
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[0].find("Porno.txt' holds a NUL byte at byte 8, so it cannot be read whole as text. Its backup "
                               "of the last start was kept."),
            std::string::npos)
      << Messages()[0];
  EXPECT_NE(Messages()[1].find("Porno.txt' holds a NUL byte at byte 8"), std::string::npos) << Messages()[1];
  ClickItem(0, 0);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), porno);
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "one.com\r\n");

  // Unsorted itself, UTF-16 as an editor may write it: not loaded at all.
  const std::string utf16("\xFF\xFEo\0n\0e\0.\0c\0o\0m\0\r\0\n\0", 20);
  Write("Lists/Unsorted.txt", utf16);
  Click("Load from:");
  EXPECT_EQ(LabelText(0), "Not Loaded");
  EXPECT_TRUE(Items(0).empty());
  EXPECT_NE(Messages().back().find("Unsorted.txt' is UTF-16 text"), std::string::npos) << Messages().back();
  EXPECT_FALSE(ui_.CanAct(ui_.FindSeen(">>>")));
  EXPECT_EQ(Read("Lists/Unsorted.txt"), utf16);
}

// What is highlighted is what moves: the record a load selected, the record a move put on
// top of the other list. Nothing selected, nothing moves.
TEST_F(EditListsPage, the_selected_record_moves_whether_clicked_or_selected_by_the_list) {
  Write("Lists/Unsorted.txt", "one.com\r\ntwo.com\r\n");
  Write("Lists/Misc.txt", "m.com\r\n");
  Start();
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  Pick("Misc");
  ClickItem(0, 1);
  Click(">>>");
  EXPECT_EQ(Read("Lists/Misc.txt"), "two.com\r\nm.com\r\n");
  Click("<<<");  // the moved record stands selected on top of Misc
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "two.com\r\none.com\r\n");
  Click("<<<");  // nothing is selected in Misc any more
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.com\r\n");
}

TEST_F(EditListsPage, a_text_file_load_selects_its_first_record_and_a_move_files_it) {
  Write("words.txt", "New.one\nnew.two\n");
  Write("Lists/Misc.txt", "");
  Start();
  Pick("Text File (Load)");
  Pick("Misc");
  ui_.QueueOpenAnswer(dir_ + "words.txt");
  Click("Load from:");
  Click(">>>");
  EXPECT_EQ(Read("Lists/Misc.txt"), "new.one\r\n");
  EXPECT_EQ(Items(0), (std::deque<std::string>{"new.two"}));
}

TEST_F(EditListsPage, unsorted_on_the_left_shows_the_category_chooser_at_select) {
  Write("Lists/Unsorted.txt", "one.com\r\n");
  Start();
  Pick("Text File (Load)");
  Pick("Porno");
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  EXPECT_EQ(ui_.Find(Seen(ControlKind::ComboBox, 1))->selection, 0);
  Pick("Unsorted");  // Unsorted on both sides: nothing shown, and the chooser says so
  EXPECT_EQ(ui_.Find(Seen(ControlKind::ComboBox, 1))->selection, 0);
}

// A source file that cannot be read whole loads nothing, with a word: a FIFO (reading one
// would wait for ever), a NUL byte.
TEST_F(EditListsPage, a_source_file_that_cannot_be_read_whole_loads_nothing_and_says_why) {
  // Not "nul.txt": Windows keeps that name for its null device.
  Write("zero.txt", std::string("a.com\n\0b.com\n", 13));
  std::vector<std::pair<std::string, std::string>> cases{{"zero.txt", "zero.txt' holds a NUL byte"}};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((dir_ + "pipe.txt").c_str(), 0600), 0);
  cases.insert(cases.begin(), {"pipe.txt", "pipe.txt': Not a regular file"});
#endif
  Start();
  Pick("Text File (Load)");
  for (const auto& [name, said] : cases) {
    ui_.QueueOpenAnswer(dir_ + name);
    Click("Load from:");
    EXPECT_EQ(LabelText(0), "Not Loaded") << name;
    EXPECT_TRUE(Items(0).empty()) << name;
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages().back().find(said), std::string::npos) << Messages().back();
  }
  ASSERT_EQ(Messages().size(), cases.size());
  Pick("URL Ban List (AUTO Load)");
  ui_.QueueOpenAnswer(dir_ + cases.front().first);
  Click("Load from:");
  EXPECT_EQ(LabelText(0), "Not Loaded");
  EXPECT_EQ(Messages().size(), cases.size() + 1);
}

}  // namespace

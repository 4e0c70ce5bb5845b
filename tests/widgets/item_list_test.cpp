// The selection rule of every list control, and the click on a list box's selected row.
#include "widgets/item_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/list_click.h"

namespace {

using widgets::ItemList;
using widgets::ListClick;
using Texts = std::vector<std::string>;

TEST(ItemList, the_selection_stays_on_its_item_when_items_go_in_or_out_before_it_and_is_lost_with_it) {
  struct Case { int selection, index, after_insert, after_remove; };
  for (const Case& c : {Case{-1, 0, -1, -1}, Case{2, 0, 3, 1}, Case{2, 2, 3, -1}, Case{2, 3, 2, 2}, Case{0, 0, 1, -1}}) {
    EXPECT_EQ(widgets::SelectionAfterInsert(c.selection, c.index), c.after_insert) << c.selection << " at " << c.index;
    EXPECT_EQ(widgets::SelectionAfterRemove(c.selection, c.index), c.after_remove) << c.selection << " at " << c.index;
  }
}

TEST(ItemList, inserts_anywhere_appends_past_either_end_and_ignores_what_is_out_of_range) {
  ItemList list;
  list.Assign({"a", "b"});
  list.Select(1);
  EXPECT_EQ(list.Insert(0, "front"), 0);
  EXPECT_EQ(list.Insert(-1, "back"), 3);
  EXPECT_EQ(list.Insert(99, "far"), 4);
  EXPECT_EQ(list.Insert(2, "middle"), 2);
  EXPECT_EQ(list.selection, 3);
  EXPECT_FALSE(list.Remove(6) || list.Remove(-1) || list.Set(6, "x"));
  EXPECT_TRUE(list.Set(3, "B") && list.Remove(0));
  EXPECT_EQ(Texts(list.items.begin(), list.items.end()), (Texts{"a", "middle", "B", "back", "far"}));
  EXPECT_EQ(list.selection, 2);
  list.Select(5);
  EXPECT_EQ(list.selection, -1);
  list.Select(4);
  list.Assign({"x"});
  EXPECT_EQ((std::vector<int>{list.Count(), list.selection}), (std::vector<int>{1, -1}));
}

TEST(ListClick, a_click_is_reported_only_on_the_selected_row_and_only_when_the_list_said_nothing) {
  struct Case { bool list_reported; int row; bool row_selected; bool reported; };
  for (const Case& c : {Case{false, 2, true, true}, Case{true, 2, true, false}, Case{false, 2, false, false},
                        Case{false, -1, false, false}}) {
    ListClick click;
    click.Pressed();
    if (c.list_reported) click.SelectionReported();
    EXPECT_EQ(click.Released(c.row, c.row_selected), c.reported) << c.list_reported << " " << c.row;
    EXPECT_FALSE(click.Pending());
  }
  ListClick never_pressed;
  EXPECT_FALSE(never_pressed.Released(0, true)) << "a release without its press is no click";
}

}  // namespace

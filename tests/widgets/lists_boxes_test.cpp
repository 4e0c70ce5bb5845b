// List and combo boxes: adding, deleting, loading, saving, sorting and the user's picks.
#include <string>

#include "runtime/platform/files.h"
#include "widgets/combo_box.h"
#include "widgets/list_box.h"
#include "widgets/widget_fixture.h"

namespace {

using Items = std::vector<std::string>;

class Lists : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    list.Init();
    list.onChange = MakeLink<&Probe::doIt>(probe);
  }
  Items Shown() { return ui.GetItems(list.Control()); }
  void Add(TKXWinList& l, const char* s) { FireEvent(MakeLink<&TKXWinList::doAdd>(l), s); }

  TKXListBox list{&host};
  TempDir dir;
};

TEST_F(Lists, doAdd_orders_and_selects_as_configured) {
  struct Case { bool top, select; Items items; int selected; };
  const Case cases[] = {{false, false, {"b", "a"}, -1}, {true, false, {"a", "b"}, -1},
                        {false, true, {"b", "a"}, 1}, {true, true, {"a", "b"}, 0}};
  for (const Case& c : cases) {
    TKXListBox box(&host);
    box.AddToTop = c.top;
    box.SelectAdded = c.select;
    box.Init();
    Add(box, "b");
    Add(box, "a");
    EXPECT_EQ(ui.GetItems(box.Control()), c.items);
    EXPECT_EQ(ui.GetSelection(box.Control()), c.selected);
  }
}

TEST_F(Lists, sorting_is_case_sensitive_byte_order_both_on_doSort_and_in_a_sorted_box) {
  ui.SetItems(list.Control(), {"b", "B", "a", "A", "\xE4", "_"});
  FireEvent(MakeLink<&TKXWinList::doSort>(list));
  EXPECT_EQ(Shown(), (Items{"A", "B", "_", "a", "b", "\xE4"}));
  EXPECT_TRUE(probe.got.empty());

  TKXListBox sorted(&host);
  sorted.Sorted = true;
  sorted.Strings = "m\r\nZ\r\n";
  sorted.Init();
  for (const char* s : {"b", "\xE4", "z", "A"}) Add(sorted, s);
  EXPECT_EQ(ui.GetItems(sorted.Control()), (Items{"A", "Z", "b", "m", "z", "\xE4"}));
}

TEST_F(Lists, doDelete_takes_only_integer_indexes_and_one_past_the_end_still_reports_a_change) {
  struct Case { Items before; TData index; Items after; bool fires; };
  const Items abc{"a", "b", "c"};
  const Case cases[] = {{abc, MakeInteger(1), {"a", "c"}, true}, {abc, MakeInteger(3), abc, true},
                        {{}, MakeInteger(0), {}, true},          {abc, MakeInteger(-1), abc, false},
                        {abc, MakeText("0"), abc, false},        {abc, MakeReal(0.0), abc, false},
                        {abc, TData{}, abc, false}};
  for (const Case& c : cases) {
    ui.SetItems(list.Control(), c.before);
    probe.got.clear();
    FireEvent(MakeLink<&TKXWinList::doDelete>(list), TData(c.index));
    EXPECT_EQ(Shown(), c.after) << AsText(c.index);
    EXPECT_EQ(probe.got.size(), c.fires ? 1u : 0u) << AsText(c.index);
  }
}

TEST_F(Lists, a_missing_file_keeps_the_items_and_load_and_save_round_trip_byte_for_byte) {
  ui.SetItems(list.Control(), {"old"});
  FireEvent(MakeLink<&TKXWinList::doLoad>(list), dir / "missing.txt");
  EXPECT_EQ(Shown(), Items{"old"});
  EXPECT_TRUE(probe.got.empty());
  platform::WriteFileAtomic(dir / "empty.txt", "");
  FireEvent(MakeLink<&TKXWinList::doLoad>(list), dir / "empty.txt");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(probe.got.size(), 1u);

  const std::string bytes = "a\r\n\r\nb\nc\r\n\xFF\x01\r\n";
  platform::WriteFileAtomic(dir / "in.txt", bytes);
  list.FileName = dir / "in.txt";
  FireEvent(MakeLink<&TKXWinList::doLoad>(list));
  EXPECT_EQ(Shown(), (Items{"a", "", "b\nc", "\xFF\x01"}));  // a lone LF stays inside its line
  list.FileName = dir / "out.txt";
  FireEvent(MakeLink<&TKXWinList::doSave>(list));
  EXPECT_EQ(platform::ReadFile(dir / "out.txt"), bytes);
}

TEST_F(Lists, the_array_view_works_on_the_items_without_reporting) {
  TData a = Var<TKXWinList>(list, &TKXWinList::varArray);
  ASSERT_EQ(a.kind, KindArray);
  a.array->Add(MakeInteger(1));
  a.array->Add(MakeText("two"));
  a.array->Set(MakeText("0"), MakeText("one"));
  a.array->Set(MakeInteger(5), MakeText("ignored"));
  TData item = MakeText("untouched");
  EXPECT_FALSE(a.array->Get(MakeInteger(2), item) || item.text != "untouched");
  EXPECT_TRUE(a.array->Get(MakeInteger(1), item) && item.text == "two");
  EXPECT_EQ(a.array->Count(), 2);
  EXPECT_EQ(Shown(), (Items{"one", "two"}));
  EXPECT_TRUE(probe.got.empty());
}

TEST_F(Lists, the_users_pick_is_reported_by_index_or_by_text_and_a_combo_box_starts_unselected) {
  TKXComboBox combo(&host);
  combo.Strings = "-Select-\r\nAdvertisement\r\nMisc";
  combo.Init();
  ui.SetItems(list.Control(), {"a", "b"});
  Probe clicks;
  list.onClick = combo.onClick = MakeLink<&Probe::doIt>(clicks);
  EXPECT_EQ(Var(combo, &TKXComboBox::varSelected).text, "");
  ui.Choose(list.Control(), 1);
  ui.ChooseText(combo.Control(), "Misc");
  list.SelectText = true;
  ui.Choose(list.Control(), 0);
  EXPECT_EQ(Var(combo, &TKXComboBox::varSelected).text, "Misc");
  ASSERT_EQ(clicks.got.size(), 3u);
  EXPECT_EQ(clicks.got[1].kind, KindInteger);
  EXPECT_EQ((Items{AsText(clicks.got[0]), AsText(clicks.got[1]), AsText(clicks.got[2])}), (Items{"1", "2", "a"}));
}

}  // namespace

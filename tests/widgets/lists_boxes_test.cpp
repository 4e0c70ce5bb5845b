// List and combo boxes: adding, deleting, loading, saving, sorting and the user's picks.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/platform/files.h"
#include "widgets/combo_box.h"
#include "widgets/headless/headless_backend.h"
#include "widgets/list_box.h"

namespace {

using Items = std::vector<std::string>;

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

struct Host : TKXWin {
  Host() : TKXWin(nullptr) { Width = Height = 100; }
  void Init() override {
    CreateNative(widgets::ControlKind::Panel);
    TKXWin::Init();
  }
};

class Lists : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::SetCurrentBackend(&ui);
    host.Init();
    list.Init();
    list.onChange = MakeLink<&Probe::doIt>(changes);
    char pattern[] = "/tmp/lists_test_XXXXXX";
    dir = mkdtemp(pattern);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir);
    widgets::SetCurrentBackend(nullptr);
  }
  Items Shown() { return ui.GetItems(list.Control()); }
  void Add(TKXWinList& l, const char* s) { FireEvent(MakeLink<&TKXWinList::doAdd>(l), s); }
  std::string Path(const char* name) { return dir + "/" + name; }

  widgets::HeadlessBackend ui;
  Host host;
  TKXListBox list{&host};
  Probe changes;
  std::string dir;
};

TEST_F(Lists, list_controls_default_to_the_window_colour) {
  EXPECT_EQ(ui.Find(list.Control())->color, kColorWindow);
}

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

TEST_F(Lists, sort_is_case_sensitive_byte_order) {
  for (const char* s : {"b", "B", "a", "A", "\xE4", "_"}) Add(list, s);
  changes.got.clear();
  FireEvent(MakeLink<&TKXWinList::doSort>(list));
  EXPECT_EQ(Shown(), (Items{"A", "B", "_", "a", "b", "\xE4"}));
  EXPECT_TRUE(changes.got.empty());
}

TEST_F(Lists, doDelete_takes_only_integer_indexes) {
  struct Case { TData index; Items after; bool fires; };
  const Case cases[] = {{MakeInteger(1), {"a", "c"}, true},  {MakeInteger(3), {"a", "b", "c"}, true},
                        {MakeInteger(-1), {"a", "b", "c"}, false}, {MakeText("0"), {"a", "b", "c"}, false},
                        {MakeReal(0.0), {"a", "b", "c"}, false},   {TData{}, {"a", "b", "c"}, false}};
  for (const Case& c : cases) {
    ui.SetItems(list.Control(), {"a", "b", "c"});
    changes.got.clear();
    TData v = c.index;
    list.doDelete(v, 0);
    EXPECT_EQ(Shown(), c.after) << AsText(c.index);
    EXPECT_EQ(changes.got.size(), c.fires ? 1u : 0u) << AsText(c.index);
  }
}

TEST_F(Lists, doDelete_of_0_on_an_empty_list_still_reports_a_change) {
  FireEvent(MakeLink<&TKXWinList::doDelete>(list), 0);
  EXPECT_EQ(changes.got.size(), 1u);
}

TEST_F(Lists, loading_an_empty_file_empties_the_list_and_a_missing_one_does_nothing) {
  Add(list, "old");
  changes.got.clear();
  FireEvent(MakeLink<&TKXWinList::doLoad>(list), Path("missing.txt"));
  EXPECT_EQ(Shown(), Items{"old"});
  EXPECT_TRUE(changes.got.empty());
  platform::WriteFileAtomic(Path("empty.txt"), "");
  FireEvent(MakeLink<&TKXWinList::doLoad>(list), Path("empty.txt"));
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(changes.got.size(), 1u);
}

TEST_F(Lists, load_and_save_round_trip_byte_for_byte) {
  const std::string bytes = "a\r\n\r\nb\nc\r\n\xFF\x01\r\n";
  platform::WriteFileAtomic(Path("in.txt"), bytes);
  list.FileName = Path("in.txt");
  FireEvent(MakeLink<&TKXWinList::doLoad>(list));
  EXPECT_EQ(Shown(), (Items{"a", "", "b\nc", "\xFF\x01"}));
  list.FileName.clear();
  FireEvent(MakeLink<&TKXWinList::doSave>(list), Path("out.txt"));
  EXPECT_EQ(platform::ReadFile(Path("out.txt")), bytes);
}

TEST_F(Lists, a_million_lines_load_in_one_go) {
  std::string bytes;
  for (int i = 0; i < 1000000; ++i) bytes += "host" + std::to_string(i) + ".example\r\n";
  platform::WriteFileAtomic(Path("big.txt"), bytes);
  const auto start = std::chrono::steady_clock::now();
  FireEvent(MakeLink<&TKXWinList::doLoad>(list), Path("big.txt"));
  RecordProperty("load_ms", int(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start).count()));
  TData count;
  list.varCount(count, 0);
  EXPECT_EQ(count.integer, 1000000);
  EXPECT_EQ(ui.GetItem(list.Control(), 999999), "host999999.example");
}

TEST_F(Lists, the_array_view_works_on_the_items_without_reporting) {
  TData a, b;
  list.varArray(a, 0);
  list.varArray(b, 0);
  ASSERT_EQ(a.kind, KindArray);
  EXPECT_EQ(a.array, b.array);
  a.array->Add(MakeInteger(1));
  a.array->Add(MakeText("two"));
  a.array->Set(MakeText("0"), MakeText("one"));
  a.array->Set(MakeInteger(5), MakeText("ignored"));
  TData item = MakeText("untouched");
  EXPECT_FALSE(a.array->Get(MakeInteger(2), item));
  EXPECT_EQ(item.text, "untouched");
  EXPECT_TRUE(a.array->Get(MakeInteger(1), item));
  EXPECT_EQ(item.text, "two");
  EXPECT_EQ(a.array->Count(), 2);
  EXPECT_EQ(Shown(), (Items{"one", "two"}));
  EXPECT_TRUE(changes.got.empty());
}

TEST_F(Lists, a_sorted_box_keeps_its_items_in_order) {
  TKXListBox box(&host);
  box.Sorted = true;
  box.Strings = "m\r\nZ\r\n";
  box.Init();
  for (const char* s : {"b", "z", "A"}) Add(box, s);
  EXPECT_EQ(ui.GetItems(box.Control()), (Items{"A", "Z", "b", "m", "z"}));
}

TEST_F(Lists, list_box_click_reports_the_index_or_the_text) {
  ui.SetItems(list.Control(), {"a", "b"});
  Probe clicks;
  list.onClick = MakeLink<&Probe::doIt>(clicks);
  ui.Choose(list.Control(), 1);
  list.SelectText = true;
  ui.Choose(list.Control(), 0);
  ASSERT_EQ(clicks.got.size(), 2u);
  EXPECT_EQ(clicks.got[0].integer, 1);
  EXPECT_EQ(clicks.got[1].text, "a");
}

TEST_F(Lists, combo_box_reports_the_users_pick) {
  TKXComboBox combo(&host);
  combo.Strings = "-Select-\r\nAdvertisement\r\nMisc\r\nPorno\r\nUnsorted\r\nViruses (and similar)\r\n"
                  "User_BadList\r\nUser_NO_BadList";
  combo.Init();
  Probe clicks;
  combo.onClick = MakeLink<&Probe::doIt>(clicks);
  TData selected;
  combo.varSelected(selected, 0);
  EXPECT_EQ(selected.kind, KindString);
  EXPECT_EQ(selected.text, "");
  ui.ChooseText(combo.Control(), "Misc");
  combo.varSelected(selected, 0);
  EXPECT_EQ(selected.text, "Misc");
  ASSERT_EQ(clicks.got.size(), 1u);
  EXPECT_EQ(clicks.got[0].kind, KindInteger);
  EXPECT_EQ(clicks.got[0].integer, 2);
  EXPECT_EQ(ui.ItemCount(combo.Control()), 8);
}

}  // namespace

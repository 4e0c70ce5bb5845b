// The in-memory window system: what the scripted user can see and do, list items,
// dialog answers and the record of what was shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/headless/headless_backend.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::DialogKind;
using widgets::FileDialogRequest;
using widgets::HeadlessBackend;

// Records what a native control reports, in order.
struct Events : widgets::ControlEvents {
  HeadlessBackend* ui = nullptr;
  ControlId id = 0;
  std::vector<std::string> got;
  bool accept_close = true;
  void OnClicked() override { got.push_back(ui->GetChecked(id) ? "click checked" : "click"); }
  void OnTextChanged() override { got.push_back("text " + ui->GetText(id)); }
  void OnEnterPressed() override { got.push_back("enter"); }
  void OnSelectionChanged() override { got.push_back("select " + std::to_string(ui->GetSelection(id))); }
  void OnShown() override { got.push_back("shown"); }
  bool OnCloseRequest() override {
    got.push_back("close?");
    return accept_close;
  }
};

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    form = ui.Create(ControlKind::Form, widgets::kNoControl, nullptr);
    ui.SetGeometry(form, 0, 0, 620, 440);
    ui.Show(form);
  }
  ControlId Make(ControlKind kind, ControlId parent, int left, int top, int width, int height,
                 const std::string& text = "") {
    const ControlId id = ui.Create(kind, parent, nullptr);
    ui.SetGeometry(id, left, top, width, height);
    if (!text.empty()) ui.SetText(id, text);
    return id;
  }
  ControlId MakeWithEvents(ControlKind kind, ControlId parent, Events& events) {
    events.ui = &ui;
    events.id = ui.Create(kind, parent, &events);
    ui.SetGeometry(events.id, 10, 10, 50, 20);
    return events.id;
  }
  HeadlessBackend ui;
  ControlId form = 0;
};

// --- What is seen ---

TEST_F(Headless, only_the_front_page_of_pages_sharing_one_place_is_seen) {
  const ControlId edit_page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId generate_page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId on_edit = Make(ControlKind::Button, edit_page, 10, 10, 50, 20, "Save");
  const ControlId on_generate = Make(ControlKind::Button, generate_page, 10, 10, 50, 20, "Save");
  EXPECT_FALSE(ui.IsSeen(on_edit));
  EXPECT_EQ(ui.FindSeen("Save"), on_generate);

  ui.SetZOrder(edit_page, true);
  EXPECT_EQ(ui.FindSeen("Save"), on_edit);
  ui.SetZOrder(edit_page, false);
  EXPECT_EQ(ui.FindSeen("Save"), on_generate);
  ui.SetVisible(generate_page, false);
  EXPECT_EQ(ui.FindAllSeen("Save"), std::vector<ControlId>{on_edit});
}

TEST_F(Headless, only_a_visible_panel_in_front_that_covers_a_control_wholly_hides_it) {
  const ControlId tabs = Make(ControlKind::TabStrip, form, 0, 0, 287, 23);
  const ControlId page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId button = Make(ControlKind::Button, form, 10, 30, 50, 20);
  Make(ControlKind::ListBox, form, 0, 0, 620, 440);
  EXPECT_TRUE(ui.IsSeen(tabs));    // the page overlaps it only in part
  EXPECT_TRUE(ui.IsSeen(button));  // the page is behind it; the list box is no panel
  const ControlId small = Make(ControlKind::Panel, form, 5, 25, 60, 30);
  EXPECT_FALSE(ui.IsSeen(button));
  ui.SetVisible(small, false);
  ui.SetZOrder(page, true);
  EXPECT_FALSE(ui.IsSeen(button));
  ui.SetZOrder(button, true);
  EXPECT_TRUE(ui.IsSeen(button));
}

TEST_F(Headless, nothing_is_seen_in_a_hidden_form_or_under_a_hidden_ancestor) {
  const ControlId page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId inner = Make(ControlKind::Panel, page, 10, 10, 300, 300);
  const ControlId box = Make(ControlKind::CheckBox, inner, 10, 10, 100, 20, "Misc");
  EXPECT_TRUE(ui.IsSeen(box));
  ui.SetVisible(page, false);
  EXPECT_FALSE(ui.IsSeen(box));
  EXPECT_FALSE(ui.Click(box));
  ui.SetVisible(page, true);
  ui.SetVisible(form, false);
  EXPECT_EQ(ui.FindSeen("Misc"), widgets::kNoControl);
  EXPECT_EQ(ui.Dump(), "");
}

TEST_F(Headless, new_controls_go_in_front_and_z_order_moves_them_among_siblings_only) {
  const ControlId a = Make(ControlKind::Panel, form, 0, 0, 10, 10);
  const ControlId b = Make(ControlKind::Panel, form, 0, 0, 10, 10);
  const ControlId c = Make(ControlKind::Panel, form, 0, 0, 10, 10);
  EXPECT_EQ(ui.Find(form)->children, (std::vector<ControlId>{a, b, c}));
  ui.SetZOrder(a, true);
  ui.SetZOrder(c, false);
  EXPECT_EQ(ui.Find(form)->children, (std::vector<ControlId>{c, b, a}));
  EXPECT_TRUE(ui.IsVisible(c));
}

TEST_F(Headless, finders_take_seen_controls_in_creation_order) {
  const ControlId page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId first = Make(ControlKind::Edit, page, 0, 0, 10, 10);
  const ControlId hidden = Make(ControlKind::Edit, page, 20, 0, 10, 10);
  const ControlId second = Make(ControlKind::Edit, page, 40, 0, 10, 10);
  const ControlId combo = Make(ControlKind::ComboBox, page, 0, 40, 10, 10);
  ui.SetVisible(hidden, false);
  ui.SetItems(combo, {"-Select-", "Misc"});
  EXPECT_EQ(ui.NthSeen(ControlKind::Edit, 0), first);
  EXPECT_EQ(ui.NthSeen(ControlKind::Edit, 1), second);
  EXPECT_EQ(ui.NthSeen(ControlKind::Edit, 2), widgets::kNoControl);
  EXPECT_EQ(ui.FindComboWithItem("Misc"), combo);
  EXPECT_EQ(ui.FindComboWithItem("Porno"), widgets::kNoControl);
}

// --- The scripted user ---

TEST_F(Headless, disabled_controls_and_controls_on_disabled_panels_take_no_action) {
  Events events;
  const ControlId page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId button = MakeWithEvents(ControlKind::Button, page, events);
  ui.SetEnabled(button, false);
  EXPECT_FALSE(ui.Click(button));
  ui.SetEnabled(button, true);
  ui.SetEnabled(page, false);
  EXPECT_FALSE(ui.Click(button));
  EXPECT_TRUE(events.got.empty());
  ui.SetEnabled(page, true);
  EXPECT_TRUE(ui.Click(button));
  EXPECT_EQ(events.got, std::vector<std::string>{"click"});
}

TEST_F(Headless, a_check_box_toggles_and_a_radio_button_checks_before_reporting_the_click) {
  Events box_events, radio_events;
  const ControlId box = MakeWithEvents(ControlKind::CheckBox, form, box_events);
  const ControlId radio = MakeWithEvents(ControlKind::RadioButton, form, radio_events);
  ui.SetGeometry(radio, 100, 10, 50, 20);
  ui.Click(box);
  ui.Click(box);
  ui.Click(radio);
  ui.Click(radio);
  EXPECT_EQ(box_events.got, (std::vector<std::string>{"click checked", "click"}));
  EXPECT_EQ(radio_events.got, (std::vector<std::string>{"click checked", "click checked"}));
}

TEST_F(Headless, an_edit_reports_every_text_change_by_the_program_or_the_user) {
  Events events;
  const ControlId edit = MakeWithEvents(ControlKind::Edit, form, events);
  ui.SetText(edit, "x");
  ui.SetText(edit, "x");
  EXPECT_TRUE(ui.Type(edit, "typed"));
  EXPECT_TRUE(ui.PressEnter(edit));
  EXPECT_FALSE(ui.Type(form, "no edit"));
  EXPECT_EQ(events.got, (std::vector<std::string>{"text x", "text x", "text typed", "enter"}));
}

TEST_F(Headless, choosing_reports_every_pick_in_lists_but_only_a_change_of_tab) {
  Events list_events, tab_events;
  const ControlId list = MakeWithEvents(ControlKind::ListBox, form, list_events);
  const ControlId tabs = MakeWithEvents(ControlKind::TabStrip, form, tab_events);
  ui.SetGeometry(tabs, 100, 10, 50, 20);
  ui.SetItems(list, {"a", "b"});
  ui.SetItems(tabs, {"Load / Edit URL", "Export URL"});
  EXPECT_TRUE(ui.Choose(list, 1));
  EXPECT_TRUE(ui.ChooseText(list, "b"));
  EXPECT_FALSE(ui.Choose(list, 2));
  EXPECT_FALSE(ui.ChooseText(list, "c"));
  EXPECT_TRUE(ui.Choose(tabs, 0));
  EXPECT_TRUE(ui.ChooseText(tabs, "Export URL"));
  EXPECT_EQ(list_events.got, (std::vector<std::string>{"select 1", "select 1"}));
  EXPECT_EQ(tab_events.got, std::vector<std::string>{"select 1"});
}

// --- Items ---

TEST_F(Headless, the_selection_follows_its_item_and_is_lost_with_it) {
  const ControlId list = Make(ControlKind::ListBox, form, 0, 0, 10, 10);
  ui.SetItems(list, {"a", "b", "c"});
  ui.SetSelection(list, 1);
  ui.InsertItem(list, 0, "front");
  EXPECT_EQ(ui.GetSelection(list), 2);
  ui.InsertItem(list, -1, "back");
  ui.DeleteItem(list, 0);
  EXPECT_EQ(ui.GetItem(list, ui.GetSelection(list)), "b");
  ui.DeleteItem(list, 1);
  EXPECT_EQ(ui.GetSelection(list), -1);
  ui.SetSelection(list, 99);
  EXPECT_EQ(ui.GetSelection(list), -1);
  ui.DeleteItem(list, 99);
  EXPECT_EQ(ui.GetItems(list), (std::vector<std::string>{"a", "c", "back"}));
}

TEST_F(Headless, a_tab_strip_selects_its_first_tab_but_starts_without_one) {
  const ControlId tabs = Make(ControlKind::TabStrip, form, 0, 0, 10, 10);
  EXPECT_EQ(ui.GetSelection(tabs), -1);
  ui.InsertItem(tabs, -1, "Load / Edit URL");
  ui.InsertItem(tabs, -1, "Export URL");
  EXPECT_EQ(ui.GetSelection(tabs), 0);
}

TEST_F(Headless, a_million_items_go_in_at_the_front_and_the_back_quickly) {
  const ControlId list = Make(ControlKind::ListBox, form, 0, 0, 10, 10);
  for (int i = 0; i < 500000; ++i) {
    ui.InsertItem(list, 0, "f");
    ui.InsertItem(list, -1, "b");
  }
  EXPECT_EQ(ui.ItemCount(list), 1000000);
  EXPECT_EQ(ui.GetItem(list, 0), "f");
  EXPECT_EQ(ui.GetItem(list, 999999), "b");
}

// --- Forms and the loop ---

TEST_F(Headless, a_form_reports_each_showing_and_closes_only_when_it_agrees) {
  Events events;
  events.ui = &ui;
  const ControlId main = ui.Create(ControlKind::Form, widgets::kNoControl, &events);
  EXPECT_FALSE(ui.IsVisible(main));
  EXPECT_EQ(ui.GetStyle(main), widgets::kStyleMinimizeBox | widgets::kStyleMaximizeBox | widgets::kStyleSizingFrame);
  ui.Show(main);
  ui.Show(main);
  events.accept_close = false;
  ui.RequestClose(main);
  EXPECT_FALSE(ui.IsClosed(main));
  ui.SetVisible(main, false);
  ui.SetVisible(main, true);
  events.accept_close = true;
  ui.RequestClose(main);
  ui.RequestClose(main);
  EXPECT_TRUE(ui.IsClosed(main));
  EXPECT_FALSE(ui.IsVisible(main));
  EXPECT_EQ(events.got, (std::vector<std::string>{"shown", "close?", "shown", "close?"}));
}

TEST_F(Headless, the_message_loop_runs_its_body_once_and_returns) {
  int runs = 0;
  ui.RunMessageLoop();
  ui.SetLoopBody([&] { ++runs; });
  ui.RunMessageLoop();
  EXPECT_EQ(runs, 1);
}

// --- Dialogs, messages, shell, clipboard ---

TEST(HeadlessDialogs, an_unanswered_message_box_takes_its_first_button) {
  const int expected[] = {1, 1, 6, 6, 4, 3};
  for (int type = 0; type <= 5; ++type) {
    HeadlessBackend ui;
    EXPECT_EQ(ui.MessageBox(widgets::kNoControl, "t", "c", type, 0), expected[type]) << "type " << type;
    EXPECT_TRUE(ui.ShownDialogs().back().defaulted);
  }
}

TEST(HeadlessDialogs, answers_are_taken_in_order_from_the_queue_of_their_kind) {
  HeadlessBackend ui;
  ui.QueueOpenAnswer("C:\\a.txt");
  ui.QueueOpenAnswer(std::nullopt);
  ui.QueueSaveAnswer("C:\\out.txt");
  ui.QueueMessageAnswer(7);
  FileDialogRequest save{true, "Save URL Ban List", "URL Ban List (*.txt)|*.txt", "", ""};
  FileDialogRequest open{false, "Open BanList", "BanList (*.txt)|*.txt", "", "last.txt"};
  EXPECT_EQ(ui.RunFileDialog(save), "C:\\out.txt");
  EXPECT_EQ(ui.RunFileDialog(open), "C:\\a.txt");
  EXPECT_EQ(ui.RunFileDialog(open), std::nullopt);
  EXPECT_EQ(ui.RunFileDialog(open), std::nullopt);
  EXPECT_EQ(ui.RunFileDialog(save), std::nullopt);
  EXPECT_EQ(ui.MessageBox(widgets::kNoControl, "Default Setting?", "", 2, 2), 7);

  const auto& shown = ui.ShownDialogs();
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[0].kind, DialogKind::Save);
  EXPECT_EQ(shown[0].title, "Save URL Ban List");
  EXPECT_EQ(shown[1].filter, "BanList (*.txt)|*.txt");
  EXPECT_EQ(shown[1].initial_name, "last.txt");
  EXPECT_FALSE(shown[2].defaulted);
  EXPECT_TRUE(shown[3].defaulted);
  EXPECT_TRUE(shown[4].defaulted);
  EXPECT_EQ(shown[5].kind, DialogKind::Message);
  EXPECT_EQ(shown[5].text, "Default Setting?");
  EXPECT_EQ(shown[5].type, 2);
  EXPECT_EQ(shown[5].icon, 2);
  EXPECT_EQ(shown[5].code, 7);
  EXPECT_FALSE(shown[5].defaulted);
}

TEST(HeadlessDialogs, the_clipboard_and_opened_documents_are_kept) {
  HeadlessBackend ui;
  EXPECT_EQ(ui.ClipboardText(), "");
  ui.SetClipboardText("ads.example.com");
  ui.OpenDocument("readme.txt");
  EXPECT_EQ(ui.ClipboardText(), "ads.example.com");
  EXPECT_EQ(ui.OpenedDocuments(), std::vector<std::string>{"readme.txt"});
}

// --- The dump ---

TEST_F(Headless, the_dump_lists_seen_controls_with_their_state_and_cuts_long_lists) {
  ui.SetText(form, "Veltrane v2.0");
  const ControlId page = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  const ControlId hidden = Make(ControlKind::Panel, form, 0, 20, 616, 390);
  Make(ControlKind::Button, hidden, 0, 0, 10, 10, "Hidden");
  ui.SetVisible(hidden, false);
  const ControlId box = Make(ControlKind::CheckBox, page, 0, 0, 10, 10, "Misc");
  ui.SetChecked(box, true);
  const ControlId save = Make(ControlKind::Button, page, 20, 0, 10, 10, "Save");
  ui.SetEnabled(save, false);
  Make(ControlKind::Edit, page, 40, 0, 10, 10, "two\r\nlines");
  const ControlId list = Make(ControlKind::ListBox, page, 0, 20, 10, 10);
  std::vector<std::string> items;
  for (int i = 0; i < 25; ++i) items.push_back("item" + std::to_string(i));
  ui.SetItems(list, items);
  ui.SetSelection(list, 1);

  const std::string dump = ui.Dump(2);
  EXPECT_EQ(dump,
            "Form \"Veltrane v2.0\"\n"
            "  Panel\n"
            "    CheckBox \"Misc\" checked\n"
            "    Button \"Save\" disabled\n"
            "    Edit \"two\\r\\nlines\"\n"
            "    ListBox selected 1 \"item1\", 25 items\n"
            "      - \"item0\"\n"
            "      - \"item1\"\n"
            "      ... 23 more\n");
}

}  // namespace

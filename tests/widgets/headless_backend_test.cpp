// The in-memory window system: what its scripted user can see and do, its answers to dialogs
// and the record of what was shown. What it does as every window system does is in the
// contract (headless_contract_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "widgets/headless/headless_backend.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::HeadlessBackend;
using Texts = std::vector<std::string>;

// Records what a native control reports, in order.
struct Events : widgets::ControlEvents {
  HeadlessBackend* ui = nullptr;
  ControlId id = 0;
  Texts got;
  void OnClicked() override { got.push_back(ui->GetChecked(id) ? "click checked" : "click"); }
  void OnSelectionChanged() override { got.push_back("select " + std::to_string(ui->GetSelection(id))); }
  void OnShown() override { got.push_back("shown"); }
  bool OnCloseRequest() override { return got.push_back("close?"), true; }
};

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    form = ui.Create(ControlKind::Form, widgets::kNoControl, nullptr);
    ui.SetGeometry(form, 0, 0, 620, 440);
    ui.Show(form);
  }
  ControlId Make(ControlKind kind, ControlId parent, int left, int top, int width, int height,
                 const std::string& text = "", Events* events = nullptr) {
    const ControlId id = ui.Create(kind, parent, events);
    ui.SetGeometry(id, left, top, width, height);
    if (!text.empty()) ui.SetText(id, text);
    if (events) events->ui = &ui, events->id = id;
    return id;
  }
  ControlId Page() { return Make(ControlKind::Panel, form, 0, 20, 616, 390); }
  HeadlessBackend ui;
  ControlId form = 0;
};

// --- What is seen ---

TEST_F(Headless, nothing_hidden_disabled_or_under_a_hidden_or_disabled_ancestor_takes_a_click) {
  Events events;
  const ControlId page = Page();
  const ControlId box = Make(ControlKind::CheckBox, Make(ControlKind::Panel, page, 10, 10, 300, 300), 10, 10, 100, 20, "Misc", &events);
  ui.SetVisible(page, false);
  EXPECT_FALSE(ui.IsSeen(box) || ui.Click(box));
  ui.SetVisible(page, true);
  for (ControlId off : {page, box}) {
    ui.SetEnabled(off, false);
    EXPECT_FALSE(ui.Click(box));
    ui.SetEnabled(off, true);
  }
  EXPECT_TRUE(ui.Click(box));
  EXPECT_EQ(events.got, Texts{"click checked"});
  ui.SetVisible(form, false);
  EXPECT_EQ(ui.FindSeen("Misc"), widgets::kNoControl);
  EXPECT_EQ(ui.Dump(), "");
}

// --- The scripted user ---

TEST_F(Headless, choosing_reports_every_pick_in_lists_but_only_a_change_of_tab_and_tabs_start_on_the_first) {
  Events list_events, tab_events;
  const ControlId list = Make(ControlKind::ListBox, form, 10, 10, 50, 20, "", &list_events);
  const ControlId tabs = Make(ControlKind::TabStrip, form, 100, 10, 50, 20, "", &tab_events);
  ui.SetItems(list, {"a", "b"});
  EXPECT_EQ(ui.GetSelection(tabs), -1);
  ui.InsertItem(tabs, -1, "Load / Edit URL");
  ui.InsertItem(tabs, -1, "Export URL");
  EXPECT_EQ(ui.GetSelection(tabs), 0);
  EXPECT_TRUE(ui.Choose(list, 1) && ui.ChooseText(list, "b"));
  EXPECT_FALSE(ui.Choose(list, 2) || ui.ChooseText(list, "c"));
  EXPECT_TRUE(ui.Choose(tabs, 0) && ui.ChooseText(tabs, "Export URL"));
  EXPECT_EQ(list_events.got, (Texts{"select 1", "select 1"}));
  EXPECT_EQ(tab_events.got, Texts{"select 1"});
}

// --- Forms and the loop ---

TEST_F(Headless, a_closed_form_is_not_asked_again_and_the_loop_runs_its_body_once) {
  Events events;
  events.ui = &ui;
  const ControlId main = ui.Create(ControlKind::Form, widgets::kNoControl, &events);
  EXPECT_FALSE(ui.IsVisible(main));  // until shown
  int runs = 0;
  ui.RunMessageLoop();  // no body yet: returns at once
  ui.SetLoopBody([&] { ++runs, ui.Show(main), ui.RequestClose(main), ui.RequestClose(main); });
  ui.RunMessageLoop();
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(ui.IsClosed(main));
  EXPECT_FALSE(ui.IsVisible(main));
  EXPECT_EQ(events.got, (Texts{"shown", "close?"}));
}

// --- Dialogs and messages ---

TEST(HeadlessDialogs, an_unanswered_message_box_takes_its_first_button) {
  using widgets::MessageAnswer;
  using widgets::MessageButtons;
  struct Case { MessageButtons buttons; MessageAnswer first; };
  for (const Case& c : {Case{MessageButtons::Ok, MessageAnswer::Ok}, Case{MessageButtons::OkCancel, MessageAnswer::Ok},
                        Case{MessageButtons::YesNo, MessageAnswer::Yes}, Case{MessageButtons::YesNoCancel, MessageAnswer::Yes},
                        Case{MessageButtons::RetryCancel, MessageAnswer::Retry},
                        Case{MessageButtons::AbortRetryIgnore, MessageAnswer::Abort}}) {
    HeadlessBackend ui;
    EXPECT_EQ(ui.ShowMessageBox(widgets::kNoControl, "t", "c", c.buttons, widgets::MessageIcon::None), c.first)
        << int(c.buttons);
    EXPECT_TRUE(ui.ShownDialogs().back().defaulted);
  }
}

TEST(HeadlessDialogs, each_kind_takes_its_own_answers_in_order_and_an_empty_queue_cancels_a_file_dialog) {
  HeadlessBackend ui;
  ui.QueueOpenAnswer("C:\\a.txt");
  ui.QueueSaveAnswer("C:\\out.txt");
  ui.QueueMessageAnswer(widgets::MessageAnswer::No);
  const widgets::FileDialogRequest save{true, "Save URL Ban List", "", "", ""}, open{false, "", "", "", "last.txt"};
  EXPECT_EQ(ui.RunFileDialog(save)->path, "C:\\out.txt");
  EXPECT_EQ(ui.RunFileDialog(open)->path, "C:\\a.txt");
  EXPECT_EQ(ui.RunFileDialog(open), std::nullopt);
  EXPECT_EQ(ui.ShowMessageBox(widgets::kNoControl, "Default Setting?", "", widgets::MessageButtons::YesNo,
                              widgets::MessageIcon::Question),
            widgets::MessageAnswer::No);
  const auto& shown = ui.ShownDialogs();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].kind, widgets::DialogKind::Save);
  EXPECT_EQ(shown[1].initial_name, "last.txt");
  EXPECT_EQ((std::vector<bool>{shown[0].defaulted, shown[1].defaulted, shown[2].defaulted, shown[3].defaulted}),
            (std::vector<bool>{false, false, true, false}));
}

}  // namespace

// What every window system behind widgets/backend.h does alike, run against each by a test
// file that names it and a user who acts on its real controls (headless_contract_test.cpp,
// qt/qt_contract_test.cpp, win32/win32_contract_test.cpp). A user type gives, for its
// `Backend`: kControlsNeedAWindow; what the user does (Click a button, label, check box or
// radio button; ClickRow, PickItem, ClickTab, TypeAtEnd, PressEnter, CloseDuringLoop,
// PressWhileWorking: a click on a button and then Esc, both still to come to the window) and
// sees (Enabled, ShownRow: the row the list shows selected, OnTopAt, TabMoves: Tab or
// Shift+Tab in `from` focuses `to`); FileToOpen(name), a new file; AnswerMessage and
// AnswerFileDialog for the next dialog, and LastFileDialog, what that showed when it opened.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/platform/files.h"
#include "widgets/backend_codes.h"
#include "widgets/open_dialog.h"
#include "widgets/widget_fixture.h"

namespace contract {

using widgets::ControlId;
using widgets::ControlKind;
using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

// "пример.рф" in UTF-8 and in Windows-1251, which show alike, and "café.fr" in UTF-8.
const std::string kUtf8Name = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84";
const std::string k1251Name = "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4", kUtf8Cafe = "caf\xC3\xA9.fr";

// What the user does with a message box: press one of its buttons, or dismiss it.
struct Reply {
  enum class Way { Press, Escape, CloseButton };
  Way way = Way::Press;
  widgets::MessageAnswer button = widgets::MessageAnswer::Ok;  // the button pressed
};

// What the user does with an open (or save) dialog: switch to another filter pair (from 0; -1
// keeps the one it opened with), then confirm a file, or cancel (no path).
struct FileChoice {
  bool save = false;
  std::optional<std::string> path;
  int filter = -1;
};

// What a file dialog showed when it opened.
struct FileDialogSeen {
  std::string title;
  int filter = -1;   // the filter pair preselected, from 0
  std::string name;  // the file name preset in it
};

template <class User>
class BackendContract : public NativeFormTest<typename User::Backend> {
 protected:
  User user{this->ui};
};

TYPED_TEST_SUITE_P(BackendContract);

// ---- controls made and read back ----

TYPED_TEST_P(BackendContract, every_kind_of_control_keeps_its_place_its_text_and_its_state) {
  auto& ui = this->ui;
  for (ControlKind kind :
       {ControlKind::Panel, ControlKind::TabStrip, ControlKind::Button, ControlKind::Edit, ControlKind::Label,
        ControlKind::CheckBox, ControlKind::RadioButton, ControlKind::ListBox, ControlKind::ComboBox}) {
    const ControlId id = this->Make(kind, nullptr, 12, 34, 150, 60);
    ASSERT_NE(id, widgets::kNoControl);
    EXPECT_EQ(this->Geometry(id), (Ints{12, 34, 150, 60})) << int(kind);
    EXPECT_TRUE(ui.IsVisible(id));
    EXPECT_TRUE(this->user.Enabled(id));
    ui.SetEnabled(id, false);
    EXPECT_FALSE(this->user.Enabled(id));
    ui.SetVisible(id, false);
    EXPECT_FALSE(ui.IsVisible(id));
  }
  if (TypeParam::kControlsNeedAWindow) {
    EXPECT_EQ(ui.Create(ControlKind::Button, widgets::kNoControl, nullptr), widgets::kNoControl);
  }
}

// Every byte but NUL, a path in Windows-1251, and "пример.рф" in UTF-8 and in Windows-1251,
// which show alike in a window (runtime/platform/code_page.h): each comes back as its own
// bytes, also after the other was shown in the same place.
TYPED_TEST_P(BackendContract, texts_come_back_byte_for_byte_also_when_they_show_alike) {
  auto& ui = this->ui;
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const std::string path = "C:\\Program Files\\\xC2\xE5\xEB\xFC\\Lists\\Misc.txt";
  const ControlId edit = this->Make(ControlKind::Edit), label = this->Make(ControlKind::Label);
  const ControlId button = this->Make(ControlKind::Button), check = this->Make(ControlKind::CheckBox);
  const ControlId panel = this->Make(ControlKind::Panel), list = this->Make(ControlKind::ListBox);
  const ControlId combo = this->Make(ControlKind::ComboBox), tabs = this->Make(ControlKind::TabStrip);
  for (const std::string& text : {bytes, path, kUtf8Name, k1251Name, kUtf8Cafe}) {
    for (ControlId id : {this->form, edit, label, button, check, panel}) ui.SetText(id, text);
    for (ControlId id : {list, combo, tabs}) ui.InsertItem(id, 0, text);
    ui.SetSelection(combo, 0);
    EXPECT_EQ(
        (Texts{ui.GetText(this->form), ui.GetText(edit), ui.GetText(label), ui.GetText(button), ui.GetText(check),
               ui.GetText(panel), ui.GetItem(list, 0), ui.GetItem(combo, 0), ui.GetText(combo), ui.GetItem(tabs, 0)}),
        Texts(10, text));
  }
  ui.SetItem(combo, 1, kUtf8Name);
  ui.SetItem(tabs, 1, k1251Name);
  ui.DeleteItem(combo, 0);
  ui.DeleteItem(tabs, 0);
  EXPECT_EQ(ui.GetItems(combo), (Texts{kUtf8Name, kUtf8Name, path, bytes}));
  EXPECT_EQ(ui.GetItems(tabs), (Texts{k1251Name, kUtf8Name, path, bytes}));
}

// ---- item lists and their selection ----

TYPED_TEST_P(BackendContract, the_selection_of_a_list_follows_its_item_and_is_lost_with_it) {
  auto& ui = this->ui;
  for (ControlKind kind : {ControlKind::ListBox, ControlKind::ComboBox}) {
    Counts events;
    const ControlId id = this->Make(kind, &events);
    for (const char* item : {"-Select-", "Advertisement", "Misc"}) ui.InsertItem(id, -1, item);
    EXPECT_EQ(ui.GetSelection(id), -1) << "a list does not pick its first item itself";
    ui.SetSelection(id, 2);
    ui.SetItems(id, {"a", "b", "c"});
    EXPECT_EQ(ui.GetSelection(id), -1) << "new items, no selection";
    ui.SetSelection(id, 1);
    ui.InsertItem(id, 0, "front");
    EXPECT_EQ((Ints{ui.GetSelection(id), this->user.ShownRow(id)}), (Ints{2, 2}));
    ui.InsertItem(id, -1, "back");
    ui.InsertItem(id, 99, "far back");
    ui.SetItem(id, 2, "B");
    ui.DeleteItem(id, 0);
    EXPECT_EQ(ui.GetSelection(id), 1);
    EXPECT_EQ(ui.GetItem(id, ui.GetSelection(id)), "B");
    ui.DeleteItem(id, 1);
    EXPECT_EQ((Ints{ui.GetSelection(id), this->user.ShownRow(id)}), (Ints{-1, -1}))
        << "deleting the selected item leaves none, no neighbour";
    ui.SetSelection(id, 99);
    EXPECT_EQ(ui.GetSelection(id), -1);
    ui.DeleteItem(id, 99);
    ui.SetSelection(id, 0);
    EXPECT_EQ(ui.GetItems(id), (Texts{"a", "c", "back", "far back"}));
    EXPECT_EQ((Ints{ui.ItemCount(id), events.selected}), (Ints{4, 0})) << "the program's changes are not reported";
  }
}

TYPED_TEST_P(BackendContract, a_tab_strip_starts_on_its_first_tab_and_reports_only_the_users_change_of_tab) {
  auto& ui = this->ui;
  Counts events;
  const ControlId tabs = this->Make(ControlKind::TabStrip, &events, 0, 0, 287, 23);
  ui.SetItems(tabs, {"Load / Edit URL", "Export URL", "Setting"});
  ui.Show(this->form);
  EXPECT_EQ(ui.GetSelection(tabs), 0);
  ui.SetSelection(tabs, 2);
  EXPECT_EQ((Ints{ui.GetSelection(tabs), events.selected}), (Ints{2, 0}));
  this->user.ClickTab(tabs, 1);
  EXPECT_EQ((Ints{ui.GetSelection(tabs), events.selected}), (Ints{1, 1}));
  EXPECT_EQ(ui.GetItem(tabs, 0), "Load / Edit URL");
}

// ---- what the user does ----

// A combo box shows the item picked, which is its text; its drop-down list is not part of its size.
TYPED_TEST_P(BackendContract, every_pick_in_a_list_or_combo_box_is_reported_also_of_the_item_already_selected) {
  auto& ui = this->ui;
  for (ControlKind kind : {ControlKind::ListBox, ControlKind::ComboBox}) {
    Counts events;
    const ControlId id = this->Make(kind, &events, 10, 10, 180, kind == ControlKind::ComboBox ? 21 : 100);
    ui.SetItems(id, {"-Select-", "Advertisement", "Misc", "d"});
    ui.Show(this->form);
    const auto pick = [&](int row) {
      kind == ControlKind::ListBox ? this->user.ClickRow(id, row) : this->user.PickItem(id, row);
    };
    pick(2);
    EXPECT_EQ((Ints{ui.GetSelection(id), events.selected}), (Ints{2, 1}));
    pick(2);
    EXPECT_EQ((Ints{ui.GetSelection(id), events.selected}), (Ints{2, 2}));
    ui.SetSelection(id, 1);
    pick(1);  // selected by the program, picked by the user
    EXPECT_EQ((Ints{ui.GetSelection(id), events.selected}), (Ints{1, 3}));
    if (kind == ControlKind::ComboBox) {
      EXPECT_EQ(ui.GetText(id), "Advertisement");
      EXPECT_EQ(this->Geometry(id), (Ints{10, 10, 180, 21}));
    }
  }
}

TYPED_TEST_P(BackendContract,
             clicks_keys_and_edits_are_reported_after_the_native_state_changed_and_set_checked_is_silent) {
  auto& ui = this->ui;
  Counts button_events, check_events, radio_events, label_events, edit_events;
  const ControlId button = this->Make(ControlKind::Button, &button_events, 10, 10, 80, 20);
  const ControlId check = this->Make(ControlKind::CheckBox, &check_events, 10, 40, 80, 20);
  const ControlId radio = this->Make(ControlKind::RadioButton, &radio_events, 10, 70, 80, 20);
  const ControlId label = this->Make(ControlKind::Label, &label_events, 10, 100, 80, 20);
  const ControlId edit = this->Make(ControlKind::Edit, &edit_events, 100, 10, 150, 21);
  ui.Show(this->form);
  this->user.Click(button);
  this->user.Click(check);
  EXPECT_TRUE(ui.GetChecked(check));
  this->user.Click(check);
  EXPECT_FALSE(ui.GetChecked(check));
  this->user.Click(radio);
  this->user.Click(radio);  // a click never clears a radio button
  EXPECT_TRUE(ui.GetChecked(radio));
  this->user.Click(label);
  ui.SetChecked(check, true);
  ui.SetChecked(radio, false);
  EXPECT_TRUE(ui.GetChecked(check));
  EXPECT_FALSE(ui.GetChecked(radio));
  EXPECT_EQ((Ints{button_events.clicked, check_events.clicked, radio_events.clicked, label_events.clicked}),
            (Ints{1, 2, 2, 1}));
  ui.SetText(edit, "x");
  ui.SetText(edit, "x");  // the same text still counts as set
  EXPECT_EQ(edit_events.changed, 2);
  this->user.TypeAtEnd(edit, 'y');
  this->user.PressEnter(edit);
  EXPECT_EQ((Ints{edit_events.changed, edit_events.entered}), (Ints{3, 1}));
  EXPECT_EQ(ui.GetText(edit), "xy");
}

TYPED_TEST_P(BackendContract, tab_and_shift_tab_visit_the_controls_given_a_tab_place_in_that_order) {
  auto& ui = this->ui;
  const ControlId first = this->Make(ControlKind::Button, nullptr, 10, 10, 80, 20);
  this->Make(ControlKind::Edit, nullptr, 10, 40, 80, 20);
  const ControlId second = this->Make(ControlKind::CheckBox, nullptr, 10, 70, 80, 20);
  this->Make(ControlKind::ListBox, nullptr, 10, 100, 80, 60);
  this->Make(ControlKind::TabStrip, nullptr, 100, 10, 200, 23);
  const ControlId front = this->Make(ControlKind::Edit, nullptr, 100, 40, 80, 20);
  ui.SetTabOrder(first, 1);
  ui.SetTabOrder(second, 2);
  ui.SetTabOrder(front, 1);  // takes the first place; the others move up one
  ui.Show(this->form);
  EXPECT_TRUE(this->user.TabMoves(front, false, first));
  EXPECT_TRUE(this->user.TabMoves(first, false, second));
  EXPECT_TRUE(this->user.TabMoves(second, false, front));
  EXPECT_TRUE(this->user.TabMoves(front, true, second));
  EXPECT_TRUE(this->user.TabMoves(second, true, first));
}

// ---- the main window ----

TYPED_TEST_P(BackendContract, the_form_is_shown_once_and_ends_the_message_loop_when_it_agrees_to_close) {
  auto& ui = this->ui;
  const ControlId form = this->form;
  ui.Show(form);
  ui.Show(form);
  EXPECT_EQ(this->form_events.shown, 1);
  EXPECT_EQ(this->Geometry(form), (Ints{20, 105, 621, 440}));

  this->form_events.allow_close = false;
  ui.RequestClose(form);
  EXPECT_TRUE(ui.IsVisible(form));
  this->form_events.allow_close = true;
  this->user.CloseDuringLoop(form);
  ui.RunMessageLoop();
  EXPECT_EQ(this->form_events.asked, 2);
  EXPECT_FALSE(ui.IsVisible(form));
  ui.RunMessageLoop();  // the main window is gone: returns at once
  EXPECT_EQ(this->form_events.asked, 2);
}

// The pages are laid out for the client area the form's outer size would give without a
// frame: a form too short for them and its status bar grows, so that the bar covers none of
// their controls, while to the program it keeps the size it asked for. The page brought to
// the front (or left when the other is sent back) is the one seen.
TYPED_TEST_P(BackendContract, the_status_bar_gets_room_below_the_pages_and_stays_in_front_of_them) {
  auto& ui = this->ui;
  const ControlId form = this->form;
  ui.SetGeometry(form, 20, 105, 621, 420);
  const ControlId bar = this->Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  ui.SetText(bar, "\tVeltrane v2.0 (2.3.2).");
  EXPECT_EQ(ui.GetText(bar), "\tVeltrane v2.0 (2.3.2).");
  const ControlId early = this->Make(ControlKind::Panel, nullptr, 0, 20, 616, 390);
  const ControlId late = this->Make(ControlKind::Panel, nullptr, 0, 20, 616, 390);
  ui.Show(form);
  for (ControlId page : {early, late}) {
    ui.SetZOrder(page, true);
    const Ints place = this->Geometry(bar);
    EXPECT_EQ(place[0], 0);
    EXPECT_GE(place[1], 20 + 390);
    EXPECT_GT(place[2], 600);
    for (int x : {5, 300, 600}) EXPECT_TRUE(this->user.OnTopAt(form, x, place[1] + 2, bar)) << x;
    EXPECT_TRUE(this->user.OnTopAt(form, 300, 100, page));
  }
  ui.SetZOrder(late, false);
  EXPECT_TRUE(this->user.OnTopAt(form, 300, 100, early));
  EXPECT_EQ(this->Geometry(form), (Ints{20, 105, 621, 420}));
}

// ---- dialogs ----

TYPED_TEST_P(BackendContract, a_message_box_answers_with_the_button_pressed_and_cancel_for_escape_or_its_close_button) {
  using widgets::MessageAnswer;
  using widgets::MessageButtons;
  using widgets::MessageIcon;
  auto& ui = this->ui;
  const MessageButtons all[] = {MessageButtons::Ok,          MessageButtons::OkCancel,
                                MessageButtons::YesNo,       MessageButtons::YesNoCancel,
                                MessageButtons::RetryCancel, MessageButtons::AbortRetryIgnore};
  for (MessageButtons buttons : all) {
    for (MessageAnswer button : widgets::ButtonsOf(buttons)) {
      this->user.AnswerMessage({Reply::Way::Press, button});
      EXPECT_EQ(ui.ShowMessageBox(this->form, "Default Setting?", "Caption \xC2", buttons, MessageIcon::Question),
                button)
          << "buttons " << int(buttons);
    }
  }
  for (MessageButtons buttons : {MessageButtons::OkCancel, MessageButtons::YesNoCancel, MessageButtons::RetryCancel}) {
    this->user.AnswerMessage({Reply::Way::Escape});
    EXPECT_EQ(ui.ShowMessageBox(this->form, "This is not BanList!", "Error!", buttons, MessageIcon::Warning),
              MessageAnswer::Cancel)
        << "Esc, buttons " << int(buttons);
    this->user.AnswerMessage({Reply::Way::CloseButton});
    EXPECT_EQ(ui.ShowMessageBox(this->form, "You do want to see?", "", buttons, MessageIcon::Information),
              MessageAnswer::Cancel)
        << "closed, buttons " << int(buttons);
  }
}

TYPED_TEST_P(BackendContract,
             a_file_dialog_gives_the_file_and_the_filter_chosen_opens_with_them_next_time_and_nothing_when_cancelled) {
  const std::string file = this->user.FileToOpen("hosts");
  widgets::SetCurrentBackend(&this->ui);
  TKXODialog dialog;
  dialog.Title = "Open Text File";
  dialog.Filter = "Text File|*.txt|All Files|*.*";
  Probe probe;
  dialog.onExecute = MakeLink<&Probe::doIt>(probe);
  this->user.AnswerFileDialog({false, file, 1});  // the user switches to "All Files"
  FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  const FileDialogSeen first = this->user.LastFileDialog();
  this->user.AnswerFileDialog({false, file, -1});
  FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  const FileDialogSeen second = this->user.LastFileDialog();
  widgets::SetCurrentBackend(nullptr);
  EXPECT_EQ(first.title, "Open Text File");
  EXPECT_EQ((Ints{first.filter, second.filter}), (Ints{0, 1}));
  EXPECT_EQ(first.name, "");
  EXPECT_TRUE(second.name.ends_with("hosts")) << second.name;
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(AsText(probe.got[1]), file);

  this->user.AnswerFileDialog({true, std::nullopt, -1});
  EXPECT_EQ(this->ui.RunFileDialog({true, "Save URL Ban List", "URL Ban List (*.txt)|*.txt", "", ""}), std::nullopt);
}

// While the program works (a download), Esc asks it to stop, and no other key or click reaches
// a control of a window that changes meanwhile.
TYPED_TEST_P(BackendContract, while_work_runs_esc_asks_to_stop_and_other_input_is_dropped) {
  Counts events;
  const ControlId button = this->Make(ControlKind::Button, &events);
  EXPECT_FALSE(this->ui.ProcessEvents());
  this->user.PressWhileWorking(button);
  EXPECT_TRUE(this->ui.ProcessEvents());
  EXPECT_FALSE(this->ui.ProcessEvents()) << "told once";
  EXPECT_EQ(events.clicked, 0);
}

REGISTER_TYPED_TEST_SUITE_P(
    BackendContract, every_kind_of_control_keeps_its_place_its_text_and_its_state,
    texts_come_back_byte_for_byte_also_when_they_show_alike,
    the_selection_of_a_list_follows_its_item_and_is_lost_with_it,
    a_tab_strip_starts_on_its_first_tab_and_reports_only_the_users_change_of_tab,
    every_pick_in_a_list_or_combo_box_is_reported_also_of_the_item_already_selected,
    clicks_keys_and_edits_are_reported_after_the_native_state_changed_and_set_checked_is_silent,
    tab_and_shift_tab_visit_the_controls_given_a_tab_place_in_that_order,
    the_form_is_shown_once_and_ends_the_message_loop_when_it_agrees_to_close,
    the_status_bar_gets_room_below_the_pages_and_stays_in_front_of_them,
    a_message_box_answers_with_the_button_pressed_and_cancel_for_escape_or_its_close_button,
    a_file_dialog_gives_the_file_and_the_filter_chosen_opens_with_them_next_time_and_nothing_when_cancelled,
    while_work_runs_esc_asks_to_stop_and_other_input_is_dropped);

}  // namespace contract

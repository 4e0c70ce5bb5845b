// The contract of every window system, on the in-memory one: its scripted user acts. That
// user sees and acts on only what a real user could: otherwise a scenario could pass on a
// control the user cannot reach.
#include "widgets/backend_contract.h"

namespace contract {

// The user of this window system, as the contract needs one.
struct HeadlessUser {
  using Backend = widgets::HeadlessBackend;
  // Element tests build controls on bare panels of their own.
  static constexpr bool kControlsNeedAWindow = false;

  explicit HeadlessUser(Backend& backend) : ui(backend) {}

  Backend& ui;
  TempDir dir;

  void Click(ControlId id) { EXPECT_TRUE(ui.Click(id)); }
  void ClickRow(ControlId list, int row) { EXPECT_TRUE(ui.Choose(list, row)); }
  void PickItem(ControlId combo, int index) { EXPECT_TRUE(ui.Choose(combo, index)); }
  void ClickTab(ControlId tabs, int index) { EXPECT_TRUE(ui.Choose(tabs, index)); }
  void TypeAtEnd(ControlId edit, char c) { EXPECT_TRUE(ui.Type(edit, ui.GetText(edit) + c)); }
  void PressEnter(ControlId edit) { EXPECT_TRUE(ui.PressEnter(edit)); }
  void PressWhileWorking(ControlId) { ui.QueueEscape(); }  // a script's click waits for its line
  bool Enabled(ControlId id) { return ui.Find(id)->enabled; }
  int ShownRow(ControlId list) { return ui.GetSelection(list); }
  bool OnTopAt(ControlId parent, int x, int y, ControlId id) { return ui.ControlAt(parent, x, y) == id; }
  bool TabMoves(ControlId from, bool backwards, ControlId to) { return ui.NextTabStop(from, backwards) == to; }
  std::string FileToOpen(const std::string& name) {
    platform::WriteFileAtomic(dir / name, "x");
    return dir / name;
  }
  void AnswerMessage(Reply reply) {
    // Esc and the close button give what the Cancel button gives.
    ui.QueueMessageAnswer(reply.way == Reply::Way::Press ? reply.button : widgets::MessageAnswer::Cancel);
  }
  void AnswerFileDialog(const FileChoice& choice) {
    if (choice.save) {
      ui.QueueSaveAnswer(choice.path, choice.filter);
    } else {
      ui.QueueOpenAnswer(choice.path, choice.filter);
    }
  }
  FileDialogSeen LastFileDialog() {
    const widgets::ShownDialog& shown = ui.ShownDialogs().back();
    return {shown.title, shown.filter_index, shown.initial_name};
  }
  void CloseDuringLoop(ControlId form) {
    ui.SetLoopBody([this, form] { ui.RequestClose(form); });
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendContract, HeadlessUser);

TEST(Headless, nothing_hidden_disabled_or_under_a_hidden_or_disabled_ancestor_takes_a_click) {
  widgets::HeadlessBackend ui;
  Counts events;
  const ControlId form = ui.Create(ControlKind::Form, widgets::kNoControl, nullptr);
  ui.Show(form);
  const ControlId page = ui.Create(ControlKind::Panel, form, nullptr);
  const ControlId box = ui.Create(ControlKind::CheckBox, ui.Create(ControlKind::Panel, page, nullptr), &events);
  ui.SetText(box, "Misc");
  ui.SetVisible(page, false);
  EXPECT_FALSE(ui.IsSeen(box) || ui.Click(box));
  ui.SetVisible(page, true);
  for (ControlId off : {page, box}) {
    ui.SetEnabled(off, false);
    EXPECT_FALSE(ui.Click(box));
    ui.SetEnabled(off, true);
  }
  EXPECT_TRUE(ui.Click(box));
  EXPECT_EQ(events.clicked, 1);
  ui.SetVisible(form, false);
  EXPECT_EQ(ui.FindSeen("Misc"), widgets::kNoControl);
  EXPECT_EQ(ui.Dump(), "");
}

}  // namespace contract

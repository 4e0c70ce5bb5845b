// Edits, labels, check boxes and radio buttons: what the scenarios cannot see (events the
// program's own changes must not fire, a label's look, the order things go at the end).
#include <memory>

#include "widgets/check_box.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/radio_button.h"
#include "widgets/widget_fixture.h"

namespace {

using Controls = WidgetTest;

// Like a native edit that reports only real changes: setting the same text again is silent.
struct QuietOnSameText : widgets::HeadlessBackend {
  void SetText(widgets::ControlId id, const std::string& text) override {
    if (GetText(id) != text) HeadlessBackend::SetText(id, text);
  }
};

TEST(Edit, program_changes_are_silent_and_the_users_next_keystroke_fires_once_whatever_the_native_edit_reports) {
  widgets::HeadlessBackend reports_all;
  QuietOnSameText reports_changes;
  for (widgets::HeadlessBackend* ui : {&reports_all, static_cast<widgets::HeadlessBackend*>(&reports_changes)}) {
    widgets::SetCurrentBackend(ui);
    Host host;
    host.Init();
    TKXEdit edit(&host);
    edit.Text = "Ads/banners";
    edit.Init();
    Probe changes, enters;
    edit.onChange = MakeLink<&Probe::doIt>(changes);
    edit.onEnter = MakeLink<&Probe::doIt>(enters);
    FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
    FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
    EXPECT_TRUE(changes.got.empty());
    ui->Type(edit.Control(), "xy");
    ui->PressEnter(edit.Control());
    ASSERT_EQ(changes.got.size(), 1u);
    ASSERT_EQ(enters.got.size(), 1u);
    EXPECT_EQ((std::vector<std::string>{changes.got[0].text, enters.got[0].text, AsText(Var(edit, &TKXEdit::varText))}),
              std::vector<std::string>(3, "xy"));
  }
  widgets::SetCurrentBackend(nullptr);
}

TEST_F(Controls, a_label_changes_its_look_only_while_hovered) {
  TKXLabel label(&host);
  label.Font.style = 1;
  label.HoverColor = 0x0000FF;
  label.HoverCursor = 32649;
  label.UnderlineOnHover = true;
  label.Init();
  const widgets::HeadlessControl* c = ui.Find(label.Control());
  label.OnMouseEnter();
  EXPECT_EQ(std::vector<int64_t>({c->font.color, c->font.style}), std::vector<int64_t>({0xFF, 1 | 4}));
  EXPECT_EQ(c->cursor, widgets::Cursor::HandPoint);
  label.OnMouseLeave();
  EXPECT_EQ(std::vector<int64_t>({c->font.color, c->font.style}), std::vector<int64_t>({0, 1}));
  EXPECT_EQ(c->cursor, widgets::Cursor::Default);
}

TEST_F(Controls, a_check_box_follows_doCheck_silently_and_reports_the_users_clicks) {
  struct Case {
    TData value;
    int32_t checked;
  };
  const Case cases[] = {
      {MakeInteger(0), 0}, {MakeInteger(5), 1}, {MakeText("0"), 1}, {TData{}, 1}, {MakeInteger(0), 0}};
  TKXCheckBox box(&host);
  box.Init();
  box.onCheck = MakeLink<&Probe::doIt>(probe);
  for (const Case& c : cases) {
    FireEvent(MakeLink<&TKXCheckBox::doCheck>(box), TData(c.value));
    EXPECT_EQ(Var(box, &TKXCheckBox::varChecked).integer, c.checked) << AsText(c.value);
  }
  EXPECT_TRUE(probe.got.empty());
  ui.Click(box.Control());
  ui.Click(box.Control());
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(probe.got[0].integer, 1);
  EXPECT_EQ(probe.got[1].integer, 0);
}

TEST_F(Controls, a_parent_may_go_before_its_radio_buttons) {
  auto panel = std::make_unique<Host>(100);
  panel->Init();
  TKXRadioButton radio(panel.get());
  radio.Init();
  panel.reset();
}

}  // namespace

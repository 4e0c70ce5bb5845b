// Buttons, edits, labels, check boxes and radio buttons, driven as a scheme and a user drive them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "widgets/button.h"
#include "widgets/check_box.h"
#include "widgets/edit.h"
#include "widgets/headless/headless_backend.h"
#include "widgets/label.h"
#include "widgets/radio_button.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
  void doSpoil(TData& v, uint16_t) {
    got.push_back(v);
    v = MakeText("spoilt");
  }
};

// A bare panel to put controls on.
struct Host : TKXWin {
  explicit Host(int left = 0) : TKXWin(nullptr) { Left = left, Width = 50, Height = 50; }
  void Init() override {
    CreateNative(widgets::ControlKind::Panel);
    TKXWin::Init();
  }
};

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::SetCurrentBackend(&ui);
    host.Init();
  }
  void TearDown() override { widgets::SetCurrentBackend(nullptr); }
  TData Var(auto& element, void (std::remove_reference_t<decltype(element)>::*point)(TData&, uint16_t)) {
    TData v;
    (element.*point)(v, 0);
    return v;
  }
  widgets::HeadlessBackend ui;
  Host host;
  Probe probe;
};

TEST_F(Controls, button_click_fires_a_copy_of_its_data_every_time) {
  TKXButton button(&host);
  button.Data = MakeInteger(7);
  button.Init();
  button.onClick = MakeLink<&Probe::doSpoil>(probe);
  ui.Click(button.Control());
  ui.Click(button.Control());
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(probe.got[1].integer, 7);
  EXPECT_EQ(button.Data.integer, 7);
}

TEST_F(Controls, button_caption_takes_the_text_of_the_arriving_value) {
  TKXButton button(&host);
  button.Caption = "Save";
  button.Init();
  EXPECT_EQ(ui.Find(button.Control())->text, "Save");
  FireEvent(MakeLink<&TKXButton::doCaption>(button), 42);
  EXPECT_EQ(ui.Find(button.Control())->text, "42");
}

TEST_F(Controls, edit_doText_is_silent_but_the_next_keystroke_fires_once) {
  TKXEdit edit(&host);
  edit.Text = "Ads/banners";
  edit.Init();
  edit.onChange = MakeLink<&Probe::doIt>(probe);
  EXPECT_EQ(Var(edit, &TKXEdit::varText).text, "Ads/banners");
  FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
  FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
  EXPECT_TRUE(probe.got.empty());
  EXPECT_EQ(Var(edit, &TKXEdit::varText).text, "x");
  ui.Type(edit.Control(), "xy");
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_EQ(probe.got[0].text, "xy");
}

// Like a native edit that reports only real changes: setting the same text again is silent.
struct QuietOnSameText : widgets::HeadlessBackend {
  void SetText(widgets::ControlId id, const std::string& text) override {
    if (GetText(id) != text) HeadlessBackend::SetText(id, text);
  }
};

TEST(Edit, setting_the_text_it_already_holds_does_not_swallow_the_next_keystroke) {
  QuietOnSameText ui;
  widgets::SetCurrentBackend(&ui);
  Host host;
  host.Init();
  TKXEdit edit(&host);
  edit.Init();
  Probe probe;
  edit.onChange = MakeLink<&Probe::doIt>(probe);
  FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
  FireEvent(MakeLink<&TKXEdit::doText>(edit), "x");
  ui.Type(edit.Control(), "xy");
  EXPECT_EQ(probe.got.size(), 1u);
  widgets::SetCurrentBackend(nullptr);
}

TEST_F(Controls, edit_varText_reads_the_control_at_the_moment) {
  TKXEdit edit(&host);
  edit.Init();
  ui.Type(edit.Control(), "typed");
  TData v = Var(edit, &TKXEdit::varText);
  EXPECT_EQ(v.kind, KindString);
  EXPECT_EQ(v.text, "typed");
}

TEST_F(Controls, edit_enter_fires_the_current_text) {
  TKXEdit edit(&host);
  edit.Init();
  edit.onEnter = MakeLink<&Probe::doIt>(probe);
  FireEvent(MakeLink<&TKXEdit::doText>(edit), "go");
  ui.PressEnter(edit.Control());
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_EQ(probe.got[0].text, "go");
}

TEST_F(Controls, label_hover_changes_colour_cursor_and_underline_and_leaving_restores_them) {
  TKXLabel label(&host);
  label.Font.color = 0x000000;
  label.Font.style = 1;
  label.HoverColor = 0x0000FF;
  label.HoverCursor = 32649;
  label.UnderlineOnHover = true;
  label.Init();
  const widgets::HeadlessControl* c = ui.Find(label.Control());
  label.OnMouseEnter();
  EXPECT_EQ(c->font.color, 0x0000FFu);
  EXPECT_EQ(c->font.style, 1 | 4);
  EXPECT_EQ(c->cursor, 32649);
  label.OnMouseLeave();
  EXPECT_EQ(c->font.color, 0u);
  EXPECT_EQ(c->font.style, 1);
  EXPECT_EQ(c->cursor, 0);
}

TEST_F(Controls, label_text_and_click) {
  TKXLabel label(&host);
  label.Init();
  label.onClick = MakeLink<&Probe::doIt>(probe);
  FireEvent(MakeLink<&TKXLabel::doText>(label), 12);
  EXPECT_EQ(Var(label, &TKXLabel::varText).text, "12");
  ui.Click(label.Control());
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_TRUE(probe.got[0].IsEmpty());
}

TEST_F(Controls, doCheck_follows_truth_and_never_fires) {
  struct Case { TData value; int32_t checked; };
  const Case cases[] = {{MakeInteger(0), 0}, {MakeInteger(5), 1}, {MakeText("0"), 1}, {TData{}, 1},
                        {MakeInteger(0), 0}};
  TKXCheckBox box(&host);
  box.Init();
  box.onCheck = MakeLink<&Probe::doIt>(probe);
  for (const Case& c : cases) {
    TData v = c.value;
    box.doCheck(v, 0);
    EXPECT_EQ(Var(box, &TKXCheckBox::varChecked).integer, c.checked) << AsText(c.value);
  }
  EXPECT_TRUE(probe.got.empty());
}

TEST_F(Controls, clicking_a_check_box_fires_the_new_state) {
  TKXCheckBox box(&host);
  box.Init();
  box.onCheck = MakeLink<&Probe::doIt>(probe);
  ui.Click(box.Control());
  ui.Click(box.Control());
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(probe.got[0].integer, 1);
  EXPECT_EQ(probe.got[1].integer, 0);
}

class Radios : public Controls {
 protected:
  TKXRadioButton& Add(TKXWin& parent, const char* caption, bool selected = false) {
    auto& r = *radios.emplace_back(std::make_unique<TKXRadioButton>(&parent));
    r.Caption = caption;
    r.Selected = selected;
    r.Init();
    return r;
  }
  std::vector<int32_t> States() {
    std::vector<int32_t> s;
    for (auto& r : radios) s.push_back(Var(*r, &TKXRadioButton::varChecked).integer);
    return s;
  }
  std::vector<std::unique_ptr<TKXRadioButton>> radios;
};

TEST_F(Radios, the_first_of_a_group_starts_checked) {
  Add(host, "To Programm");
  Add(host, "NEW To File");
  EXPECT_EQ(States(), (std::vector<int32_t>{1, 0}));
}

TEST_F(Radios, the_last_selected_one_wins) {
  Add(host, "a", true);
  Add(host, "b", true);
  Add(host, "c");
  EXPECT_EQ(States(), (std::vector<int32_t>{0, 1, 0}));
}

TEST_F(Radios, a_click_checks_only_the_clicked_one_and_fires_only_its_event) {
  auto& program = Add(host, "To Programm", true);
  auto& new_file = Add(host, "NEW To File");
  Add(host, "ALL To File");
  Probe other;
  program.onClick = MakeLink<&Probe::doIt>(other);
  new_file.onClick = MakeLink<&Probe::doIt>(probe);
  ui.Click(new_file.Control());
  EXPECT_EQ(States(), (std::vector<int32_t>{0, 1, 0}));
  EXPECT_EQ(probe.got.size(), 1u);
  EXPECT_TRUE(other.got.empty());
}

TEST_F(Radios, groups_are_per_parent) {
  Host second(100);
  second.Init();
  Add(host, "a");
  auto& b = Add(host, "b");
  Add(second, "c");
  ui.Click(b.Control());
  EXPECT_EQ(States(), (std::vector<int32_t>{0, 1, 1}));
}

TEST_F(Radios, a_parent_may_go_before_its_radio_buttons) {
  auto panel = std::make_unique<Host>(100);
  panel->Init();
  Add(*panel, "a");
  panel.reset();
  radios.clear();
}

}  // namespace

// The base points of every window, the tab strip, panels, the status bar and the
// window-style adjuster, driven as the main program drives them.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/headless/headless_backend.h"
#include "widgets/main_form.h"
#include "widgets/panel.h"
#include "widgets/status_bar.h"
#include "widgets/style_xp.h"
#include "widgets/sys_menu.h"
#include "widgets/tab_control.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

class Frame : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::SetCurrentBackend(&ui);
    form.Width = 621, form.Height = 440;
    form.Init();
    form.Start();
  }
  void TearDown() override { widgets::SetCurrentBackend(nullptr); }
  // A page panel at the place all three pages share.
  void Page(TKXPanel& panel, bool visible) {
    panel.Left = 0, panel.Top = 20, panel.Width = 616, panel.Height = 390;
    panel.Visible = visible;
    panel.BevelInner = 2;
    panel.Init();
  }
  bool Seen(const TKXWin& w) const { return ui.IsSeen(w.Control()); }

  widgets::HeadlessBackend ui;
  TKXMainForm form;
  Probe probe;
};

TEST_F(Frame, bring_to_front_shows_a_hidden_page_on_top_of_the_others) {
  TKXPanel edit(&form), generate(&form);
  Page(edit, true);
  Page(generate, false);
  EXPECT_TRUE(Seen(edit));
  FireEvent(MakeLink<&TKXWin::doBringToFront>(generate));
  EXPECT_TRUE(generate.Visible);
  EXPECT_TRUE(Seen(generate));
  EXPECT_FALSE(Seen(edit));
}

TEST_F(Frame, send_to_back_leaves_a_page_visible_but_behind_the_others) {
  TKXPanel edit(&form), generate(&form);
  Page(edit, true);
  Page(generate, true);
  FireEvent(MakeLink<&TKXWin::doSendToBack>(generate));
  EXPECT_TRUE(ui.IsVisible(generate.Control()));
  EXPECT_FALSE(Seen(generate));
  EXPECT_TRUE(Seen(edit));
}

TEST_F(Frame, do_enabled_disables_only_for_the_integer_zero) {
  TKXPanel panel(&form);
  panel.Init();
  struct Case {
    TData value;
    bool enabled;
  };
  const Case cases[] = {{MakeInteger(0), false}, {MakeInteger(1), true}, {MakeInteger(0), false},
                        {TData{}, true},         {MakeInteger(0), false}, {MakeText("0"), true},
                        {MakeInteger(-3), true}};
  for (const Case& c : cases) {
    FireEvent(MakeLink<&TKXWin::doEnabled>(panel), TData(c.value));
    EXPECT_EQ(ui.Find(panel.Control())->enabled, c.enabled) << AsText(c.value);
    EXPECT_EQ(panel.Enabled, c.enabled);
  }
}

TEST_F(Frame, a_tab_strip_has_one_tab_per_line_and_reports_a_change_of_tab) {
  TKXTabControl tabs(&form);
  tabs.Width = 287, tabs.Height = 23;
  tabs.Tabs = "Load / Edit URL\r\nExport URL\r\nSetting\r\n";
  tabs.Init();
  tabs.onChange = MakeLink<&Probe::doIt>(probe);
  EXPECT_EQ(ui.GetItems(tabs.Control()), (std::vector<std::string>{"Load / Edit URL", "Export URL", "Setting"}));

  ASSERT_TRUE(ui.ChooseText(tabs.Control(), "Export URL"));
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_TRUE(probe.got[0].IsEmpty());
  TData index;
  tabs.varIndex(index, 0);
  EXPECT_EQ(index.kind, KindInteger);
  EXPECT_EQ(index.integer, 1);
}

TEST_F(Frame, a_tab_strip_without_a_selection_yields_minus_one) {
  TKXTabControl tabs(&form);
  tabs.Init();
  TData index;
  tabs.varIndex(index, 0);
  EXPECT_EQ(index.kind, KindInteger);
  EXPECT_EQ(index.integer, -1);
}

TEST_F(Frame, a_status_bar_shows_its_text_with_its_alignment) {
  TKXStatusBar bar(&form);
  bar.Alignment = 1;
  bar.Text = "Veltrane v2.0 (2.3.2).";
  bar.Init();
  const auto& native = *ui.Find(bar.Control());
  EXPECT_EQ(native.text, "Veltrane v2.0 (2.3.2).");
  EXPECT_EQ(native.alignment, 1);
  EXPECT_TRUE(native.visible);

  TKXStatusBar hidden(&form);
  hidden.Visible = false;
  hidden.Alignment = 7;
  hidden.Init();
  EXPECT_FALSE(ui.IsVisible(hidden.Control()));
  EXPECT_EQ(ui.Find(hidden.Control())->alignment, 2);
}

TEST_F(Frame, a_panel_carries_its_caption_and_is_a_panel_control) {
  TKXPanel panel(&form);
  panel.Caption = "Options";
  panel.Init();
  EXPECT_EQ(ui.Find(panel.Control())->kind, widgets::ControlKind::Panel);
  EXPECT_EQ(ui.GetText(panel.Control()), "Options");
}

TEST_F(Frame, the_style_adjuster_removes_the_maximize_box_of_the_main_window) {
  TKXSysMenu sys_menu;
  sys_menu.dataHandle = MakeLink<&TKXWin::varHandle>(form);
  const uint32_t before = ui.GetStyle(form.Control());
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu));
  EXPECT_EQ(sys_menu.Handle(), form.Control());
  EXPECT_EQ(sys_menu.Style(), before);
  EXPECT_EQ(ui.GetStyle(form.Control()), before & ~widgets::kStyleMaximizeBox);
  EXPECT_NE(ui.GetStyle(form.Control()) & widgets::kStyleMinimizeBox, 0u);
}

TEST_F(Frame, the_style_adjuster_does_nothing_with_a_zero_handle) {
  TKXSysMenu sys_menu;
  const uint32_t before = ui.GetStyle(form.Control());
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu), 0);
  EXPECT_EQ(sys_menu.Handle(), 0);
  EXPECT_EQ(ui.GetStyle(form.Control()), before);
  TKXStyleXP marker;  // a marker only: it exists and does nothing
  (void)marker;
}

}  // namespace

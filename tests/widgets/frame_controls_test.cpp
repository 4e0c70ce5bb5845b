// The base points of every window, the tab strip, panels, the status bar and the
// window-style adjuster, driven as the main program drives them.
#include <string>
#include <vector>

#include "widgets/main_form.h"
#include "widgets/panel.h"
#include "widgets/status_bar.h"
#include "widgets/sys_menu.h"
#include "widgets/tab_control.h"
#include "widgets/widget_fixture.h"

namespace {

class Frame : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    form.Width = 621, form.Height = 440;
    form.Init();
    form.Start();
  }
  TKXMainForm form;
};

TEST_F(Frame, bring_to_front_shows_a_hidden_page_on_top_and_send_to_back_puts_it_behind_still_visible) {
  TKXPanel edit(&form), generate(&form);
  for (TKXPanel* page : {&edit, &generate}) {
    page->Top = 20, page->Width = 616, page->Height = 390;  // the place all pages share
    page->Visible = page == &edit;
    page->Caption = "Options";
    page->Init();
  }
  EXPECT_EQ(ui.FindAllSeen("Options"), std::vector<widgets::ControlId>{edit.Control()});
  FireEvent(MakeLink<&TKXWin::doBringToFront>(generate));
  EXPECT_TRUE(generate.Visible);
  EXPECT_EQ(ui.FindAllSeen("Options"), std::vector<widgets::ControlId>{generate.Control()});
  FireEvent(MakeLink<&TKXWin::doSendToBack>(generate));
  EXPECT_TRUE(ui.IsVisible(generate.Control()));
  EXPECT_EQ(ui.FindAllSeen("Options"), std::vector<widgets::ControlId>{edit.Control()});
}

TEST_F(Frame, do_enabled_disables_only_for_the_integer_zero) {
  TKXPanel panel(&form);
  panel.Init();
  struct Case { TData value; bool enabled; };
  const Case cases[] = {{MakeInteger(0), false}, {MakeInteger(1), true}, {MakeInteger(0), false},
                        {TData{}, true},         {MakeInteger(0), false}, {MakeText("0"), true},
                        {MakeInteger(-3), true}};
  for (const Case& c : cases) {
    FireEvent(MakeLink<&TKXWin::doEnabled>(panel), TData(c.value));
    EXPECT_EQ(ui.Find(panel.Control())->enabled, c.enabled) << AsText(c.value);
  }
}

TEST_F(Frame, a_tab_strip_has_one_tab_per_line_and_reports_a_change_of_tab) {
  TKXTabControl empty(&form), tabs(&form);
  empty.Init();
  EXPECT_EQ(Var(empty, &TKXTabControl::varIndex).integer, -1);
  tabs.Top = 30;
  tabs.Tabs = "Load / Edit URL\r\nExport URL\r\nSetting\r\n";
  tabs.Init();
  tabs.onChange = MakeLink<&Probe::doIt>(probe);
  EXPECT_EQ(ui.GetItems(tabs.Control()), (std::vector<std::string>{"Load / Edit URL", "Export URL", "Setting"}));
  ASSERT_TRUE(ui.ChooseText(tabs.Control(), "Export URL"));
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_TRUE(probe.got[0].IsEmpty());
  EXPECT_EQ(Var(tabs, &TKXTabControl::varIndex).integer, 1);
}

TEST_F(Frame, a_status_bar_shows_its_text_with_its_alignment_kept_to_left_centre_or_right_unless_tabs_lead_it) {
  using widgets::Alignment;
  struct Case { int alignment; std::string text; Alignment shown; };
  for (const Case& c : {Case{1, "Veltrane v2.0 (2.3.2).", Alignment::Center}, Case{7, "Ready", Alignment::Right},
                        Case{-2, "Ready", Alignment::Left}, Case{1, "\t\tReady", Alignment::Right}}) {
    TKXStatusBar bar(&form);
    bar.Alignment = c.alignment;
    bar.Text = c.text;
    bar.Init();
    EXPECT_EQ(ui.GetText(bar.Control()), c.text);
    EXPECT_EQ(ui.ShownStatus(bar.Control()).alignment, c.shown) << c.alignment << " " << c.text;
  }
}

// The pages are laid out for the whole client area; the form makes room below them for its
// status bar, as the native forms do, and to the program keeps the size it was given.
TEST_F(Frame, a_form_grows_until_its_status_bar_covers_no_page_and_keeps_its_size_to_the_program) {
  TKXPanel page(&form);
  page.Top = 20, page.Width = 616, page.Height = 410;
  page.Init();
  TKXStatusBar bar(&form);
  bar.Init();
  const widgets::HeadlessControl& shown_bar = *ui.Find(bar.Control());
  EXPECT_EQ(ui.Find(form.Control())->grown, 20 + 410 + widgets::HeadlessBackend::kStatusBarHeight - 440);
  EXPECT_EQ((std::vector<int>{shown_bar.left, shown_bar.top, shown_bar.width}), (std::vector<int>{0, 430, 621}));
  int left = 0, top = 0, width = 0, height = 0;
  ui.GetGeometry(form.Control(), left, top, width, height);
  EXPECT_EQ(height, 440);
  page.Height = 300;
  ui.SetGeometry(page.Control(), 0, 20, 616, 300);
  EXPECT_EQ(ui.Find(form.Control())->grown, 0);
}

TEST_F(Frame, the_style_adjuster_removes_only_the_maximize_box_and_ignores_a_zero_handle) {
  TKXSysMenu sys_menu;
  const uint32_t before = ui.GetStyle(form.Control());
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu), 0);
  EXPECT_EQ(ui.GetStyle(form.Control()), before);
  sys_menu.dataHandle = MakeLink<&TKXWin::varHandle>(form);
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu));
  EXPECT_EQ(ui.GetStyle(form.Control()), before & ~widgets::kStyleMaximizeBox);
  EXPECT_NE(ui.GetStyle(form.Control()) & widgets::kStyleMinimizeBox, 0u);
}

}  // namespace

// The main window and what the scenarios' records do not show of it: the status bar's
// alignment, the style adjuster, a message box's owner, buttons and icon, and a position that
// cannot be saved at close.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "widgets/main_form.h"
#include "widgets/message.h"
#include "widgets/status_bar.h"
#include "widgets/sys_menu.h"
#include "widgets/widget_fixture.h"

namespace {

struct Told {
  std::vector<std::string> texts;
  void doTell(TData& v, uint16_t) { texts.push_back(AsText(v)); }
};

class MainForm : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    platform::SetProgramDir(dir.path + "/");
  }
  TempDir dir;
};

TEST_F(MainForm, a_position_that_cannot_be_saved_is_told_once_with_the_file_and_the_reason_and_the_file_stays) {
  const std::string ini = dir / "Veltra.ini";  // a settings file nobody may write
  ASSERT_TRUE(platform::WriteFileAtomic(ini, "[Form]\r\nLeft=7\r\n"));
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
  Told told;
  {
    TKXMainForm form;
    form.IniName = "Veltra";
    form.Init();
    form.onSaveError = MakeLink<&Told::doTell>(told);
    form.Start();
    ui.RequestClose(form.Control());
    EXPECT_TRUE(ui.IsClosed(form.Control()));
  }
  ASSERT_EQ(told.texts.size(), 1u);
  EXPECT_NE(told.texts[0].find("Veltra.ini'"), std::string::npos) << told.texts[0];
  EXPECT_NE(told.texts[0].find(std::strerror(EACCES)), std::string::npos) << told.texts[0];
  EXPECT_EQ(platform::ReadFile(ini), "[Form]\r\nLeft=7\r\n");
  std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
}

TEST_F(MainForm, a_status_bar_shows_its_text_with_its_alignment_kept_to_left_centre_or_right_unless_tabs_lead_it) {
  using widgets::Alignment;
  TKXMainForm form;
  form.Init();
  struct Case {
    int alignment;
    std::string text;
    Alignment shown;
  };
  for (const Case& c : {Case{1, "Veltrane v2.0 (2.3.2).", Alignment::Center}, Case{7, "Ready", Alignment::Right},
                        Case{-2, "Ready", Alignment::Left}, Case{0, "\t\tReady", Alignment::Right},
                        Case{2, "\tReady", Alignment::Center}}) {
    TKXStatusBar bar(&form);
    bar.Alignment = c.alignment;
    bar.Text = c.text;
    bar.Init();
    EXPECT_EQ(ui.GetText(bar.Control()), c.text);
    EXPECT_EQ(ui.ShownStatus(bar.Control()).alignment, c.shown) << c.alignment << " " << c.text;
  }
}

TEST_F(MainForm, the_style_adjuster_removes_only_the_maximize_box_and_ignores_a_zero_handle) {
  TKXMainForm form;
  form.Init();
  TKXSysMenu sys_menu;
  const uint32_t before = ui.GetStyle(form.Control());
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu), 0);
  EXPECT_EQ(ui.GetStyle(form.Control()), before);
  sys_menu.dataHandle = MakeLink<&TKXWin::varHandle>(form);
  FireEvent(MakeLink<&TKXSysMenu::doInit>(sys_menu));
  EXPECT_EQ(ui.GetStyle(form.Control()), before & ~widgets::kStyleMaximizeBox);
  EXPECT_NE(ui.GetStyle(form.Control()) & widgets::kStyleMinimizeBox, 0u);
}

// Its answers (6 Yes, 7 No) are in the scenario default_setting_on_a_fresh_folder.
TEST_F(MainForm, a_message_is_owned_by_the_main_window_with_its_buttons_and_icon) {
  widgets::SetMainWindowControl(7);
  TKXMessage box;
  box.Message = "Default Setting?";
  box.Type = 2;
  box.Icon = 2;
  ui.QueueMessageAnswer(widgets::MessageAnswer::Yes);
  FireEvent(MakeLink<&TKXMessage::doMessage>(box));
  widgets::SetMainWindowControl(widgets::kNoControl);
  ASSERT_EQ(ui.ShownDialogs().size(), 1u);
  const auto& shown = ui.ShownDialogs()[0];
  EXPECT_EQ(shown.text, "Default Setting?");
  EXPECT_EQ(shown.buttons, widgets::MessageButtons::YesNo);
  EXPECT_EQ(shown.icon, widgets::MessageIcon::Question);
  EXPECT_EQ(shown.owner, 7);
}

}  // namespace

// The main window: start, first show with the kept position, and the close request.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "widgets/headless/headless_backend.h"
#include "widgets/main_form.h"

namespace {

struct Probe {
  std::vector<std::string> got;
  int32_t can_close = 0;
  void doShow(TData&, uint16_t) { got.push_back("show"); }
  void doCreate(TData& v, uint16_t) { got.push_back(v.IsEmpty() ? "create" : "create with value"); }
  void doClose(TData&, uint16_t) { got.push_back("close"); }
  void varCanClose(TData& v, uint16_t) { v = MakeInteger(can_close); }
};

class MainForm : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/veltrane-form-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    platform::SetProgramDir(dir + "/");
    widgets::SetCurrentBackend(&ui);
  }
  void TearDown() override {
    widgets::SetCurrentBackend(nullptr);
    std::filesystem::remove_all(dir);
  }
  void Build(TKXMainForm& form) {
    form.Left = 20, form.Top = 105, form.Width = 621, form.Height = 440;
    form.BorderStyle = 1;
    form.IniName = "Veltra";
    form.Init();
    form.SetCaption("Veltrane v2.0");
    form.SetIcon("ICON0");
    form.onShow = MakeLink<&Probe::doShow>(probe);
    form.onCreate = MakeLink<&Probe::doCreate>(probe);
    form.onClose = MakeLink<&Probe::doClose>(probe);
  }
  std::string Ini() const { return dir + "/Veltra.ini"; }
  std::string Key(const char* key) const { return platform::ReadProfileString(Ini(), "Form", key); }
  const widgets::HeadlessControl& Native(const TKXMainForm& form) const { return *ui.Find(form.Control()); }

  widgets::HeadlessBackend ui;
  Probe probe;
  std::string dir;
};

TEST_F(MainForm, initialisation_sets_up_a_hidden_fixed_border_window_that_owns_the_application) {
  TKXMainForm form;
  Build(form);
  const auto& native = Native(form);
  EXPECT_TRUE(form.OwnsApplication);
  EXPECT_EQ(widgets::MainWindowControl(), form.Control());
  EXPECT_FALSE(native.visible);
  EXPECT_EQ(native.style & widgets::kStyleSizingFrame, 0u);
  EXPECT_NE(native.style & widgets::kStyleMaximizeBox, 0u);
  EXPECT_EQ(native.text, "Veltrane v2.0");
  EXPECT_EQ(native.icon, "ICON0");
  EXPECT_EQ(native.font.name, "MS Sans Serif");
  EXPECT_TRUE(probe.got.empty());
}

TEST_F(MainForm, only_the_first_form_owns_the_application_and_the_next_one_may_again) {
  {
    TKXMainForm first;
    TKXMainForm second;
    second.Init();
    EXPECT_FALSE(second.OwnsApplication);
    EXPECT_EQ(widgets::MainWindowControl(), widgets::kNoControl);
  }
  TKXMainForm later;
  EXPECT_TRUE(later.OwnsApplication);
}

TEST_F(MainForm, start_shows_the_window_then_fires_the_start_event_once_with_the_empty_value) {
  TKXMainForm form;
  Build(form);
  form.Start();
  form.Start();
  EXPECT_TRUE(Native(form).visible);
  EXPECT_EQ(probe.got, (std::vector<std::string>{"show", "create"}));
}

TEST_F(MainForm, without_an_ini_file_the_built_in_position_stays) {
  TKXMainForm form;
  Build(form);
  form.Start();
  const auto& native = Native(form);
  EXPECT_EQ(std::vector<int>({native.left, native.top, native.width, native.height}),
            std::vector<int>({20, 105, 621, 440}));
  EXPECT_FALSE(platform::IsFile(Ini()));
}

TEST_F(MainForm, the_first_show_reads_the_position_once_and_missing_keys_keep_their_value) {
  platform::WriteProfileString(Ini(), "Form", "Left", "300");
  platform::WriteProfileString(Ini(), "Form", "Top", "-5");
  TKXMainForm form;
  Build(form);
  form.Start();
  const auto& native = Native(form);
  EXPECT_EQ(std::vector<int>({native.left, native.top, native.width, native.height}),
            std::vector<int>({300, -5, 621, 440}));

  platform::WriteProfileString(Ini(), "Form", "Left", "1");
  ui.SetVisible(form.Control(), false);
  ui.Show(form.Control());
  EXPECT_EQ(Native(form).left, 300);
  EXPECT_EQ(probe.got, (std::vector<std::string>{"show", "create", "show"}));
}

TEST_F(MainForm, a_close_with_can_close_unlinked_closes_the_window_and_saves_its_position) {
  TKXMainForm form;
  Build(form);
  form.Start();
  ui.SetGeometry(form.Control(), 40, 50, 621, 440);  // the user moved it
  ui.RequestClose(form.Control());
  EXPECT_TRUE(ui.IsClosed(form.Control()));
  EXPECT_EQ(probe.got.back(), "close");
  EXPECT_EQ(Key("Left"), "40");
  EXPECT_EQ(Key("Top"), "50");
  EXPECT_EQ(Key("Width"), "621");
  EXPECT_EQ(Key("Height"), "440");
}

TEST_F(MainForm, a_non_zero_can_close_refuses_and_touches_nothing) {
  TKXMainForm form;
  Build(form);
  form.dataCanClose = MakeLink<&Probe::varCanClose>(probe);
  probe.can_close = 1;
  form.Start();
  ui.RequestClose(form.Control());
  EXPECT_FALSE(ui.IsClosed(form.Control()));
  EXPECT_TRUE(Native(form).visible);
  EXPECT_FALSE(platform::IsFile(Ini()));
  EXPECT_EQ(probe.got, (std::vector<std::string>{"show", "create"}));

  probe.can_close = 0;
  ui.RequestClose(form.Control());
  EXPECT_TRUE(ui.IsClosed(form.Control()));
}

TEST_F(MainForm, a_form_that_does_not_own_the_application_only_hides_but_still_saves) {
  TKXMainForm owner;
  TKXMainForm other;
  Build(other);
  other.Start();
  ui.RequestClose(other.Control());
  EXPECT_FALSE(ui.IsClosed(other.Control()));
  EXPECT_FALSE(Native(other).visible);
  EXPECT_EQ(Key("Left"), "20");
  EXPECT_EQ(probe.got, (std::vector<std::string>{"show", "create"}));
}

TEST_F(MainForm, the_window_state_is_applied_at_the_first_show) {
  TKXMainForm form;
  form.WindowState = 1;
  Build(form);
  EXPECT_EQ(Native(form).window_state, 0);
  form.Start();
  EXPECT_EQ(Native(form).window_state, 1);
}

}  // namespace

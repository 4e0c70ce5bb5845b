// The main window: start, first show with the kept position, and the close request.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "widgets/main_form.h"
#include "widgets/widget_fixture.h"

namespace {

using Texts = std::vector<std::string>;

struct Steps {
  Texts got;
  Texts told;
  int32_t can_close = 0;
  void doShow(TData&, uint16_t) { got.push_back("show"); }
  void doCreate(TData& v, uint16_t) { got.push_back(v.IsEmpty() ? "create" : "create with value"); }
  void doClose(TData&, uint16_t) { got.push_back("close"); }
  void varCanClose(TData& v, uint16_t) { v = MakeInteger(can_close); }
  void doTell(TData& v, uint16_t) { told.push_back(AsText(v)); }
};

class MainForm : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    platform::SetProgramDir(dir.path + "/");
  }
  void Build(TKXMainForm& form) {
    form.Left = 20, form.Top = 105, form.Width = 621, form.Height = 440;
    form.BorderStyle = 1;
    form.IniName = "Veltra";
    form.Init();
    form.SetCaption("Veltrane v2.0");
    form.SetIcon("ICON0");
    form.onShow = MakeLink<&Steps::doShow>(steps);
    form.onCreate = MakeLink<&Steps::doCreate>(steps);
    form.onClose = MakeLink<&Steps::doClose>(steps);
    form.onSaveError = MakeLink<&Steps::doTell>(steps);
  }
  std::string Key(const char* key) const { return platform::ReadProfileString(dir / "Veltra.ini", "Form", key); }
  const widgets::HeadlessControl& Native(const TKXMainForm& form) const { return *ui.Find(form.Control()); }
  std::vector<int> Place(const TKXMainForm& form) const {
    const auto& n = Native(form);
    return {n.left, n.top, n.width, n.height};
  }

  TempDir dir;
  Steps steps;
};

TEST_F(MainForm, a_built_form_owns_the_application_and_stays_hidden_until_start_shows_it_and_fires_the_start_event_once) {
  TKXMainForm form;
  form.WindowState = 1;
  Build(form);
  const auto& native = Native(form);
  EXPECT_TRUE(form.OwnsApplication);
  EXPECT_EQ(widgets::MainWindowControl(), form.Control());
  EXPECT_FALSE(native.visible);
  EXPECT_EQ(native.style & (widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox), widgets::kStyleMaximizeBox);
  EXPECT_EQ((Texts{native.text, native.icon}), (Texts{"Veltrane v2.0", "ICON0"}));
  EXPECT_EQ(native.window_state, widgets::WindowState::Normal);
  EXPECT_TRUE(steps.got.empty());
  form.Start();
  form.Start();
  EXPECT_TRUE(native.visible);
  EXPECT_EQ(native.window_state, widgets::WindowState::Maximized);
  EXPECT_EQ(steps.got, (Texts{"create", "show"}));
  EXPECT_EQ(Place(form), (std::vector<int>{20, 105, 621, 440}));
  EXPECT_FALSE(platform::IsFile(dir / "Veltra.ini"));
}

TEST_F(MainForm, the_first_show_reads_the_position_once_and_missing_keys_keep_their_value) {
  platform::WriteProfileString(dir / "Veltra.ini", "Form", "Left", "300");
  platform::WriteProfileString(dir / "Veltra.ini", "Form", "Top", "-5");
  TKXMainForm form;
  Build(form);
  form.Start();
  EXPECT_EQ(Place(form), (std::vector<int>{300, -5, 621, 440}));
  platform::WriteProfileString(dir / "Veltra.ini", "Form", "Left", "1");
  ui.SetVisible(form.Control(), false);
  ui.Show(form.Control());
  EXPECT_EQ(Native(form).left, 300);
  EXPECT_EQ(steps.got, (Texts{"create", "show", "show"}));
}

TEST_F(MainForm, a_non_zero_can_close_refuses_and_touches_nothing_otherwise_closing_saves_the_position) {
  TKXMainForm form;
  Build(form);
  form.dataCanClose = MakeLink<&Steps::varCanClose>(steps);
  steps.can_close = 1;
  form.Start();
  ui.RequestClose(form.Control());
  EXPECT_FALSE(ui.IsClosed(form.Control()));
  EXPECT_TRUE(Native(form).visible);
  EXPECT_FALSE(platform::IsFile(dir / "Veltra.ini"));
  EXPECT_EQ(steps.got, (Texts{"create", "show"}));

  form.dataCanClose = TEventLink{};
  ui.SetGeometry(form.Control(), 40, 50, 621, 440);  // the user moved it
  ui.RequestClose(form.Control());
  EXPECT_TRUE(ui.IsClosed(form.Control()));
  EXPECT_EQ(steps.got.back(), "close");
  EXPECT_EQ(Texts({Key("Left"), Key("Top"), Key("Width"), Key("Height")}),
            Texts({"40", "50", "621", "440"}));
}

TEST_F(MainForm, a_position_that_cannot_be_saved_is_told_once_with_the_file_and_the_reason_and_the_file_stays) {
  const std::string ini = dir / "Veltra.ini";
  // A folder where the settings file should be, then a settings file nobody may write.
  for (const bool folder : {true, false}) {
    std::filesystem::remove_all(ini);
    if (folder) std::filesystem::create_directory(ini);
    else ASSERT_TRUE(platform::WriteFileAtomic(ini, "[Form]\r\nLeft=7\r\n"));
    if (!folder) std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    steps.told.clear();
    {
      TKXMainForm form;
      Build(form);
      form.Start();
      ui.RequestClose(form.Control());
      EXPECT_TRUE(ui.IsClosed(form.Control()));
    }
    ASSERT_EQ(steps.told.size(), 1u);
    EXPECT_NE(steps.told[0].find("Veltra.ini'"), std::string::npos) << steps.told[0];
    EXPECT_NE(steps.told[0].find(std::strerror(folder ? EISDIR : EACCES)), std::string::npos) << steps.told[0];
    if (!folder) {
      EXPECT_EQ(platform::ReadFile(ini), "[Form]\r\nLeft=7\r\n");
      std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
    }
  }
}

TEST_F(MainForm, a_second_form_does_not_own_the_application_and_closing_it_only_hides_it_but_saves_its_place) {
  {
    TKXMainForm owner, other;
    Build(other);
    EXPECT_FALSE(other.OwnsApplication);
    EXPECT_EQ(widgets::MainWindowControl(), widgets::kNoControl);
    other.Start();
    ui.RequestClose(other.Control());
    EXPECT_FALSE(ui.IsClosed(other.Control()));
    EXPECT_FALSE(Native(other).visible);
    EXPECT_EQ(Key("Left"), "20");
    EXPECT_EQ(steps.got, (Texts{"create", "show"}));
  }
  EXPECT_TRUE(TKXMainForm().OwnsApplication);  // once the owner has gone, the next form owns it
}

}  // namespace

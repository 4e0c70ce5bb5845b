// The main program driven through the headless window system as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_program.h"
#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "widgets/headless/headless_backend.h"
#include "widgets/main_form.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;

class MainProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/veltrane-main-XXXXXX";
    dir_ = mkdtemp(pattern);
    dir_ += "/";
    platform::SetProgramDir(dir_);
    widgets::SetCurrentBackend(&native_);
  }
  void TearDown() override {
    widgets::SetCurrentBackend(nullptr);
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  // The page panels in creation order: "Setting", "Load / Edit URL", "Export URL".
  std::vector<ControlId> PagePanels() const {
    std::vector<ControlId> panels;
    const ControlId form = widgets::MainWindowControl();
    for (ControlId id = 1; id <= ControlId(native_.ControlCount()); ++id) {
      const auto* c = native_.Find(id);
      if (c->kind == ControlKind::Panel && c->parent == form) panels.push_back(id);
    }
    return panels;
  }

  ControlId SeenPage() const {
    ControlId seen = widgets::kNoControl;
    for (ControlId id : PagePanels())
      if (native_.IsSeen(id)) {
        EXPECT_EQ(seen, widgets::kNoControl) << "two pages seen at once";
        seen = id;
      }
    return seen;
  }

  void Tab(const std::string& caption) {
    const ControlId tabs = native_.FindSeenWithItem(ControlKind::TabStrip, caption);
    ASSERT_NE(tabs, widgets::kNoControl);
    ASSERT_TRUE(native_.ChooseText(tabs, caption));
  }

  std::string dir_;
  widgets::HeadlessBackend native_;
};

TEST_F(MainProgramTest, window_opens_at_its_built_in_place_without_maximize_box) {
  TMainProgram program;
  program.Start();
  const ControlId form = widgets::MainWindowControl();
  const auto* c = native_.Find(form);
  EXPECT_EQ(c->text, "Veltrane v2.0");
  EXPECT_EQ(c->left, 20);
  EXPECT_EQ(c->top, 105);
  EXPECT_EQ(c->width, 621);
  EXPECT_EQ(c->height, 440);
  EXPECT_EQ(c->style & widgets::kStyleMaximizeBox, 0u);
  EXPECT_EQ(c->style & widgets::kStyleSizingFrame, 0u);
  EXPECT_EQ(c->icon, "ICON0");
  EXPECT_FALSE(platform::IsFile(dir_ + "Veltra.ini")) << "nothing is written before the window closes";
}

TEST_F(MainProgramTest, tabs_bring_their_page_to_the_front) {
  TMainProgram program;
  program.Start();
  const auto pages = PagePanels();
  ASSERT_EQ(pages.size(), 3u);
  const ControlId settings = pages[0], edit = pages[1], generate = pages[2];

  EXPECT_EQ(SeenPage(), edit);
  Tab("Export URL");
  EXPECT_EQ(SeenPage(), generate);
  Tab("Setting");
  EXPECT_EQ(SeenPage(), settings);
  Tab("Load / Edit URL");
  EXPECT_EQ(SeenPage(), edit);
  Tab("Load / Edit URL");  // the current tab again changes nothing
  EXPECT_EQ(SeenPage(), edit);
}

TEST_F(MainProgramTest, closing_writes_the_position_and_a_later_start_restores_it_only_while_save_position_is_on) {
  const std::string ini = dir_ + "Veltra.ini";
  auto run = [](widgets::HeadlessBackend& native, int left, int top) {
    widgets::SetCurrentBackend(&native);
    TMainProgram program;
    program.Start();
    const auto* c = native.Find(widgets::MainWindowControl());
    const std::vector<int> opened{c->left, c->top, c->width, c->height};
    native.SetGeometry(widgets::MainWindowControl(), left, top, 700, 500);  // the user moved and sized it
    native.RequestClose(widgets::MainWindowControl());
    return opened;
  };
  EXPECT_EQ(run(native_, 333, 44), (std::vector<int>{20, 105, 621, 440}));
  EXPECT_EQ(platform::ReadProfileInt(ini, "Form", "Left"), 333);
  EXPECT_EQ(platform::ReadProfileInt(ini, "Form", "Width"), 700);

  widgets::HeadlessBackend second, third;
  EXPECT_EQ(run(second, 50, 60), (std::vector<int>{20, 105, 621, 440})) << "the option is off";
  platform::WriteProfileString(ini, "VELTR_Setting", "saveposition", "1");
  EXPECT_EQ(run(third, 0, 0), (std::vector<int>{50, 60, 621, 440})) << "the place is kept, the size is not";
}

TEST_F(MainProgramTest, info_switch_shows_the_box_and_builds_nothing) {
  EXPECT_EQ(RunVeltrane({"/i", "more"}), 0);
  ASSERT_EQ(native_.ShownDialogs().size(), 1u);
  EXPECT_EQ(native_.ShownDialogs()[0].title, "Wexel Info");
  EXPECT_EQ(native_.ShownDialogs()[0].text, "This program made by Wexel.");
  EXPECT_EQ(native_.ControlCount(), 0u);
  EXPECT_TRUE(platform::ListDirectory(dir_).empty());
}

}  // namespace

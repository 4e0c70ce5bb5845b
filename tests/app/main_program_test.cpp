// The main program as it opens: its window, and nothing written before it closes.
#include <gtest/gtest.h>

#include "tests/app/program_fixture.h"
#include "widgets/main_form.h"

namespace {

using MainProgram = ProgramTest;

TEST_F(MainProgram, window_opens_at_its_built_in_place_without_maximize_box_and_writes_nothing_yet) {
  platform::RemoveFile(dir_ + "Veltra.ini");
  Start();
  const auto* c = ui_.Find(widgets::MainWindowControl());
  EXPECT_EQ(c->text, "Veltrane v2.0");
  EXPECT_EQ((std::vector<int>{c->left, c->top, c->width, c->height}), (std::vector<int>{20, 105, 621, 440}));
  EXPECT_EQ(c->style & (widgets::kStyleMaximizeBox | widgets::kStyleSizingFrame), 0u);
  EXPECT_EQ(c->icon, "ICON0");
  EXPECT_FALSE(platform::IsFile(dir_ + "Veltra.ini"));
}

}  // namespace

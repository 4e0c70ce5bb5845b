// Where a status bar's text goes, and the room its window makes for it.
#include "widgets/status_bar_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using widgets::Alignment;

TEST(StatusBarLayout, one_leading_tab_centres_two_right_align_and_without_one_the_bars_alignment_holds) {
  struct Case { std::string text; Alignment bar; Alignment shown; std::string rest; };
  for (const Case& c : {Case{"Ready", Alignment::Left, Alignment::Left, "Ready"},
                        Case{"Ready", Alignment::Right, Alignment::Right, "Ready"},
                        Case{"\tVeltrane v2.0 (2.3.2).", Alignment::Left, Alignment::Center, "Veltrane v2.0 (2.3.2)."},
                        Case{"\t\tReady", Alignment::Center, Alignment::Right, "Ready"},
                        Case{"\t\t\tReady", Alignment::Left, Alignment::Right, "\tReady"},
                        Case{"\t", Alignment::Right, Alignment::Center, ""}, Case{"", Alignment::Center, Alignment::Center, ""}}) {
    const widgets::StatusLine line = widgets::LayOutStatusText(c.text, c.bar);
    EXPECT_EQ(line.alignment, c.shown) << c.text;
    EXPECT_EQ(std::string(line.text), c.rest) << c.text;
  }
}

TEST(StatusBarLayout, a_window_grows_by_what_its_lowest_control_and_the_bar_need_beyond_its_client_area) {
  struct Case { int client, bottom, bar, room; };
  for (const Case& c : {Case{440, 410, 20, 0}, Case{420, 410, 20, 10}, Case{391, 410, 22, 41}, Case{0, 0, 20, 20}}) {
    EXPECT_EQ(widgets::StatusBarRoom(c.client, c.bottom, c.bar), c.room) << c.client << " " << c.bottom << " " << c.bar;
  }
}

}  // namespace

// The numbers schemes and settings use for the window system's choices, as the backend takes
// them. The answers' numbers and names are read and written by the scenario driver.
#include "widgets/backend_codes.h"

#include <gtest/gtest.h>

namespace {

using widgets::MessageButtons;
using widgets::MessageIcon;

TEST(BackendCodes, alignments_bevels_and_window_states_take_anything_unknown_as_the_first_choice) {
  using widgets::Alignment;
  using widgets::Bevel;
  using widgets::WindowState;
  struct Case {
    int code;
    Alignment alignment;
    Bevel bevel;
    WindowState state;
  };
  for (const Case& c : {Case{1, Alignment::Center, Bevel::Lowered, WindowState::Maximized},
                        Case{2, Alignment::Right, Bevel::Raised, WindowState::Minimized},
                        Case{3, Alignment::Left, Bevel::None, WindowState::Normal},
                        Case{-1, Alignment::Left, Bevel::None, WindowState::Normal}}) {
    EXPECT_EQ(widgets::AlignmentFromCode(c.code), c.alignment) << c.code;
    EXPECT_EQ(widgets::BevelFromCode(c.code), c.bevel) << c.code;
    EXPECT_EQ(widgets::WindowStateFromCode(c.code), c.state) << c.code;
  }
}

TEST(BackendCodes, message_boxes_know_their_button_sets_and_icons_and_take_unknown_codes_as_ok_and_none) {
  EXPECT_EQ(widgets::ButtonsFromCode(3), MessageButtons::YesNoCancel);
  EXPECT_EQ(widgets::ButtonsFromCode(6), MessageButtons::Ok);
  EXPECT_EQ(widgets::IconFromCode(3), MessageIcon::Warning);
  EXPECT_EQ(widgets::IconFromCode(5), MessageIcon::Warning);
  EXPECT_EQ(widgets::IconFromCode(9), MessageIcon::None);
}

}  // namespace

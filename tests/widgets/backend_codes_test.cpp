// The numbers schemes and settings use for the window system's choices, as the backend takes them.
#include "widgets/backend_codes.h"

#include <gtest/gtest.h>

namespace {

using widgets::Cursor;
using widgets::MessageAnswer;
using widgets::MessageButtons;
using widgets::MessageIcon;

TEST(BackendCodes, alignments_bevels_and_window_states_take_anything_unknown_as_the_first_choice) {
  using widgets::Alignment;
  using widgets::Bevel;
  using widgets::WindowState;
  struct Case { int code; Alignment alignment; Bevel bevel; WindowState state; };
  for (const Case& c : {Case{0, Alignment::Left, Bevel::None, WindowState::Normal},
                        Case{1, Alignment::Center, Bevel::Lowered, WindowState::Maximized},
                        Case{2, Alignment::Right, Bevel::Raised, WindowState::Minimized},
                        Case{3, Alignment::Left, Bevel::None, WindowState::Normal},
                        Case{-1, Alignment::Left, Bevel::None, WindowState::Normal}}) {
    EXPECT_EQ(widgets::AlignmentFromCode(c.code), c.alignment) << c.code;
    EXPECT_EQ(widgets::BevelFromCode(c.code), c.bevel) << c.code;
    EXPECT_EQ(widgets::WindowStateFromCode(c.code), c.state) << c.code;
  }
}

TEST(BackendCodes, a_cursor_is_named_by_its_classic_number_or_its_system_resource_and_nothing_else) {
  struct Case { int code; Cursor cursor; };
  for (const Case& c : {Case{0, Cursor::Default}, Case{-1, Cursor::None}, Case{-2, Cursor::Arrow},
                        Case{32512, Cursor::Arrow}, Case{-5, Cursor::SizeAll}, Case{-22, Cursor::SizeAll},
                        Case{32640, Cursor::Size}, Case{-11, Cursor::HourGlass}, Case{32514, Cursor::HourGlass},
                        Case{-12, Cursor::Drag}, Case{-16, Cursor::MultiDrag}, Case{-18, Cursor::No},
                        Case{32648, Cursor::No}, Case{-21, Cursor::HandPoint}, Case{32649, Cursor::HandPoint},
                        Case{32651, Cursor::Help}, Case{-23, Cursor::Default}, Case{32647, Cursor::Default},
                        Case{7, Cursor::Default}}) {
    EXPECT_EQ(widgets::CursorFromCode(c.code), c.cursor) << c.code;
  }
}

TEST(BackendCodes, message_boxes_know_six_button_sets_five_icons_and_seven_answers) {
  EXPECT_EQ(widgets::ButtonsFromCode(3), MessageButtons::YesNoCancel);
  EXPECT_EQ(widgets::ButtonsFromCode(6), MessageButtons::Ok);
  EXPECT_EQ(widgets::IconFromCode(3), MessageIcon::Warning);
  EXPECT_EQ(widgets::IconFromCode(5), MessageIcon::Warning);
  EXPECT_EQ(widgets::IconFromCode(9), MessageIcon::None);
  struct Case { int code; MessageAnswer answer; const char* name; };
  for (const Case& c : {Case{1, MessageAnswer::Ok, "OK"}, Case{2, MessageAnswer::Cancel, "Cancel"},
                        Case{3, MessageAnswer::Abort, "Abort"}, Case{4, MessageAnswer::Retry, "Retry"},
                        Case{5, MessageAnswer::Ignore, "Ignore"}, Case{6, MessageAnswer::Yes, "Yes"},
                        Case{7, MessageAnswer::No, "No"}}) {
    EXPECT_EQ(widgets::AnswerFromCode(c.code), c.answer);
    EXPECT_EQ(widgets::AnswerCode(c.answer), c.code);
    EXPECT_STREQ(widgets::AnswerName(c.answer), c.name);
  }
  EXPECT_EQ(widgets::AnswerFromCode(0), std::nullopt);
  EXPECT_EQ(widgets::AnswerFromCode(8), std::nullopt);
  EXPECT_EQ(widgets::AnswerCode(MessageAnswer::None), 0);
  EXPECT_STREQ(widgets::AnswerName(MessageAnswer::None), "none");
  EXPECT_EQ(widgets::ButtonsOf(MessageButtons::AbortRetryIgnore),
            (std::vector<MessageAnswer>{MessageAnswer::Abort, MessageAnswer::Retry, MessageAnswer::Ignore}));
}

}  // namespace

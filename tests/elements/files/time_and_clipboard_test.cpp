// Time stamps from TKXTime on a fixed clock, and the clipboard text through its source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/files/clipboard.h"
#include "elements/files/time_stamp.h"
#include "runtime/platform/clock.h"

namespace {

template <auto Point, class E>
std::string Read(E& element) {
  TData v;
  PullData(MakeLink<Point>(element), v);
  return v.kind == KindString ? v.text : "<not a text>";
}

TEST(TimeStamp, puts_every_field_in_at_least_two_digits_and_leaves_other_characters) {
  struct Case { std::string format; platform::LocalTime at; std::string want; };
  const std::vector<Case> cases = {
      {"DMY_hms", {2026, 12, 31, 4, 23, 59, 59}, "31122026_235959"},
      {"DMY_hms", {2026, 12, 5, 6, 9, 30, 5}, "05122026_093005"},
      {"D.M.Y", {2026, 1, 5, 1, 0, 0, 0}, "05.01.2026"},
      {"W-D h:m:s", {2026, 12, 6, 0, 0, 0, 0}, "00-06 00:00:00"},  // the weekday counts from Sunday
      {"y d (YY) x", {2026, 3, 4, 3, 1, 2, 3}, "y d (20262026) x"},
  };
  TKXTime time;
  for (const Case& c : cases) {
    platform::SetFixedTime(c.at);
    time.Format = c.format;
    EXPECT_EQ(Read<&TKXTime::varTime>(time), c.want) << c.format;
  }
  platform::SetFixedTime(std::nullopt);
}

TEST(Clipboard, reads_the_stored_text_or_an_installed_source_up_to_the_first_nul) {
  TKXClipboard clip;
  EXPECT_EQ(Read<&TKXClipboard::varText>(clip), "");
  SetClipboardText("stored");
  SetClipboardSource([] { return std::string("a.com\0b.com", 11); });
  EXPECT_EQ(Read<&TKXClipboard::varText>(clip), "a.com");
  SetClipboardSource({});
  EXPECT_EQ(Read<&TKXClipboard::varText>(clip), "stored");
  SetClipboardText("");
}

}  // namespace

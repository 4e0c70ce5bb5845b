// Time stamps from TKXTime on a fixed clock, and the clipboard text through its source.
#include <gtest/gtest.h>

#include <string>

#include "elements/files/clipboard.h"
#include "elements/files/time_stamp.h"
#include "runtime/platform/clock.h"

namespace {

class TimeStamp : public testing::Test {
 protected:
  void TearDown() override { platform::SetFixedTime(std::nullopt); }
  std::string Read(const std::string& format, const platform::LocalTime& at) {
    platform::SetFixedTime(at);
    TKXTime time;
    time.Format = format;
    TData v;
    PullData(MakeLink<&TKXTime::varTime>(time), v);
    EXPECT_EQ(v.kind, KindString);
    return v.text;
  }
};

TEST_F(TimeStamp, the_last_second_of_the_year_makes_a_15_character_backup_stamp) {
  const std::string stamp = Read("DMY_hms", {2026, 12, 31, 4, 23, 59, 59});
  EXPECT_EQ(stamp, "31122026_235959");
  EXPECT_EQ(stamp.size(), 15u);
}

TEST_F(TimeStamp, pads_every_field_to_two_digits) {
  EXPECT_EQ(Read("D.M.Y", {2026, 12, 5, 6, 9, 30, 5}), "05.12.2026");
  EXPECT_EQ(Read("DMY_hms", {2026, 12, 5, 6, 9, 30, 5}), "05122026_093005");
  EXPECT_EQ(Read("h:m:s", {2026, 1, 1, 4, 0, 0, 0}), "00:00:00");
}

TEST_F(TimeStamp, w_is_the_weekday_counted_from_sunday) {
  EXPECT_EQ(Read("W", {2026, 12, 6, 0, 0, 0, 0}), "00");
  EXPECT_EQ(Read("W-D", {2026, 12, 5, 6, 0, 0, 0}), "06-05");
}

TEST_F(TimeStamp, other_characters_and_lower_case_letters_stay) {
  EXPECT_EQ(Read("y d (YY) x", {2026, 3, 4, 3, 1, 2, 3}), "y d (20262026) x");
  EXPECT_EQ(Read("", {2026, 3, 4, 3, 1, 2, 3}), "");
}

class Clipboard : public testing::Test {
 protected:
  void TearDown() override {
    SetClipboardSource({});
    SetClipboardText("");
  }
  std::string Read() {
    TKXClipboard clip;
    TData v;
    PullData(MakeLink<&TKXClipboard::varText>(clip), v);
    return v.text;
  }
};

TEST_F(Clipboard, reads_the_settable_text_by_default) {
  EXPECT_EQ(Read(), "");
  SetClipboardText("ads.example.com");
  EXPECT_EQ(Read(), "ads.example.com");
}

TEST_F(Clipboard, reads_through_an_installed_source_until_it_is_removed) {
  SetClipboardText("stored");
  SetClipboardSource([] { return std::string("from the window system"); });
  EXPECT_EQ(Read(), "from the window system");
  SetClipboardSource({});
  EXPECT_EQ(Read(), "stored");
}

TEST_F(Clipboard, the_text_ends_at_its_first_nul_byte) {
  SetClipboardSource([] { return std::string("a.com\0b.com", 11); });
  EXPECT_EQ(Read(), "a.com");
}

}  // namespace

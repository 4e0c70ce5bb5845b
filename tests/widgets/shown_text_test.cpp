// What a control that shows texts by the display rule gives back when read.
#include "widgets/shown_text.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/platform/code_page.h"

namespace {

// "пример.рф" in UTF-8 and in Windows-1251: shown alike.
const std::string kUtf8Name = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84";
const std::string k1251Name = "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4";

TEST(ShownText, an_unchanged_text_is_the_very_bytes_set_and_a_changed_one_keeps_utf8_or_becomes_typed_text) {
  const std::wstring name = platform::WideFromText(kUtf8Name);
  ASSERT_EQ(name, platform::WideFromText(k1251Name));
  struct Case { std::wstring shown; std::string set, got; };
  for (const Case& c : {Case{name, kUtf8Name, kUtf8Name}, Case{name, k1251Name, k1251Name},
                        Case{name + L"x", kUtf8Name, kUtf8Name + "x"}, Case{name + L"x", k1251Name, k1251Name + "x"},
                        Case{name, "", k1251Name}, Case{L"caf\u00e9 \u263a", "", "caf\xC3\xA9 \xE2\x98\xBA"},
                        Case{L"plain", "other", "plain"}}) {
    EXPECT_EQ(widgets::BytesOfShownText(c.shown, c.set), c.got);
  }
}

TEST(ShownText, a_row_shows_the_first_4096_bytes_and_leaves_out_a_utf8_letter_the_cut_tears) {
  const std::string a4095(4095, 'a');
  const std::wstring wide_a4095(4095, L'a');
  EXPECT_EQ(widgets::ShownItemText(kUtf8Name), L"\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444");
  EXPECT_EQ(widgets::ShownItemText(a4095 + kUtf8Name), wide_a4095) << "the cut falls inside the first letter";
  EXPECT_EQ(widgets::ShownItemText(a4095 + k1251Name), wide_a4095 + L"\u043f") << "the cut falls behind it";
  EXPECT_EQ(widgets::ShownItemText("a" + a4095 + kUtf8Name), L"a" + wide_a4095);
  const std::string with_letter = std::string(4094, 'a') + kUtf8Name;  // the first letter whole before the cut
  EXPECT_EQ(widgets::ShownItemText(with_letter), std::wstring(4094, L'a') + L"\u043f");
}

}  // namespace

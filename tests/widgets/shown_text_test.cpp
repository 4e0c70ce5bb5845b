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

}  // namespace

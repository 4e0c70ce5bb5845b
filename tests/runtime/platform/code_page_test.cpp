// The Windows-1251 conversion the Windows build gives every path that reaches the system, and
// the rule by which a window shows a text in UTF-8 or Windows-1251 and takes typed text back.
#include "runtime/platform/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageTest, maps_the_cyrillic_letters_and_the_punctuation_of_the_high_half_and_brings_every_byte_back) {
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  for (const Case& c : {Case{"\xC0\xDF\xE0\xFF", L"\u0410\u042F\u0430\u044F"}, Case{"\xA8\xB8", L"\u0401\u0451"},
                        Case{"\x80\x88\x96\x98\xB9", L"\u0402\u20AC\u2013\u0098\u2116"}}) {
    EXPECT_EQ(platform::WideFromBytes(c.bytes), c.text);
    EXPECT_EQ(platform::BytesFromWide(c.text), c.bytes);
  }
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  EXPECT_EQ(platform::BytesFromWide(platform::WideFromBytes(bytes)), bytes);
}

TEST(CodePageTest, characters_outside_the_code_page_become_one_question_mark_each) {
  EXPECT_EQ(platform::BytesFromWide(L"a\u00E9b\u263A"), "a?b?");
  const std::wstring smiley_pair = {wchar_t(0xD83D), wchar_t(0xDE00)};  // one character in two halves
  EXPECT_EQ(platform::BytesFromWide(L"x" + smiley_pair + L"y"), "x?y");
  EXPECT_EQ(platform::BytesFromWide(std::wstring(1, wchar_t(0xDC00))), "?");  // a lone half
}

// Typed text comes back as bytes that show as typed; text cut short in UTF-8 shows as Windows-1251.
TEST(CodePageTest, typed_text_is_windows1251_when_it_fits_and_cannot_be_taken_for_utf8_and_utf8_otherwise) {
  EXPECT_EQ(platform::WideFromText("caf\xC3\xA9\xC3"), L"caf\u0413\u00A9\u0413");
  const std::wstring smiley_pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
  const std::wstring smiley = sizeof(wchar_t) == 2 ? smiley_pair : std::wstring(1, wchar_t(0x1F600));
  struct Case {
    std::wstring text;
    std::string bytes;
  };
  for (const Case& c : {Case{L"\u043F\u0440\u0438\u043C\u0435\u0440.\u0440\u0444", "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4"},
                        Case{L"caf\u00E9.fr", "caf\xC3\xA9.fr"},  // é is not in the code page
                        Case{L"\u041F\u0440\u0438\u0432\u0435\u0442 \u263A",
                             "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x98\xBA"},
                        Case{L"\u0416\u0401", "\xD0\x96\xD0\x81"},  // in Windows-1251 C6 A8, which reads as U+01A8
                        Case{L"x" + smiley + L"y", "x\xF0\x9F\x98\x80y"},
                        Case{std::wstring(1, wchar_t(0xDC00)), "\xEF\xBF\xBD"}}) {  // a lone half
    const std::string bytes = platform::TextFromWide(c.text);
    EXPECT_EQ(bytes, c.bytes);
    if (c.text.size() > 1) {
      EXPECT_EQ(platform::WideFromText(bytes), c.text) << "shown again as typed";
    }
  }
}

}  // namespace

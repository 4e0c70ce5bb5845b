// The Windows-1251 conversion the Windows build gives every text that reaches the system.
#include "runtime/platform/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageTest, MapsTheCyrillicLettersAndThePunctuationOfTheHighHalf) {
  struct Case { std::string bytes; std::wstring text; };
  for (const Case& c : {Case{"\xC0\xDF\xE0\xFF", L"\u0410\u042F\u0430\u044F"}, Case{"\xA8\xB8", L"\u0401\u0451"},
                        Case{"\x80\x88\x96\x98\xB9", L"\u0402\u20AC\u2013\u0098\u2116"},
                        Case{"C:\\Lists\\a.txt", L"C:\\Lists\\a.txt"}}) {
    EXPECT_EQ(platform::WideFromBytes(c.bytes), c.text);
    EXPECT_EQ(platform::BytesFromWide(c.text), c.bytes);
  }
}

TEST(CodePageTest, EveryByteComesBackUnchanged) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const std::wstring text = platform::WideFromBytes(bytes);
  ASSERT_EQ(text.size(), bytes.size());
  EXPECT_EQ(platform::BytesFromWide(text), bytes);
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  EXPECT_EQ(platform::BytesFromWide(L"a\u00E9b\u263A"), "a?b?");
  const std::wstring smiley_pair = {wchar_t(0xD83D), wchar_t(0xDE00)};  // one character in two halves
  EXPECT_EQ(platform::BytesFromWide(L"x" + smiley_pair + L"y"), "x?y");
  EXPECT_EQ(platform::BytesFromWide(std::wstring(1, wchar_t(0xDC00))), "?");  // a lone half
}

}  // namespace

// The Windows-1251 conversion: the known letters, and one question mark for every other
// character. That every byte comes back through the controls is in the contract.
#include "widgets/qt/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, maps_the_cyrillic_and_punctuation_bytes) {
  struct Case { unsigned char byte; char16_t character; };
  for (const Case& c : {Case{'A', u'A'}, Case{0xC0, u'А'}, Case{0xFF, u'я'}, Case{0xA8, u'Ё'}, Case{0xB8, u'ё'},
                        Case{0xB9, u'№'}, Case{0x88, u'€'}, Case{0x96, u'–'}, Case{0xA0, u'\u00A0'},
                        Case{0xA5, u'Ґ'}, Case{0x98, u'\u0098'}}) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(widgets::DecodeCp1251(byte), QString(QChar(c.character))) << int(c.byte);
    EXPECT_EQ(widgets::EncodeCp1251(QString(QChar(c.character))), byte) << int(c.byte);
  }
}

TEST(Cp1251, encoding_is_the_exact_inverse_of_decoding_and_every_other_character_is_one_question_mark) {
  EXPECT_EQ(widgets::EncodeCp1251(QString::fromUtf8("a☺b\xF0\x9F\x98\x80" "c\u00E9")), "a?b?c?");
  int expressible = 0;
  for (int code = 1; code < 0xD800; ++code) {
    const QString one(QChar(static_cast<char16_t>(code)));
    const std::string byte = widgets::EncodeCp1251(one);
    ASSERT_EQ(byte.size(), 1u);
    if (byte == "?" && code != '?') continue;
    ++expressible;
    EXPECT_EQ(widgets::DecodeCp1251(byte), one) << code;
  }
  EXPECT_EQ(expressible, 255);
}

}  // namespace

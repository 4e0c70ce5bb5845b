// Which characters beyond ASCII a label of an internationalised host name is written with:
// the letters of every script, the marks its letters carry, and its decimal digits, as
// Unicode's character database gives them.
#pragma once

#include <span>

struct NameLetterRange {
  char32_t first;
  char32_t last;
};

// Ordered, none overlapping or touching; generated (tools/make_name_letter_table.py).
std::span<const NameLetterRange> NameLetterRanges();

// True for a code point above U+007F in one of the ranges; ASCII is left to the caller,
// whose rules for it are its own.
bool IsNameLetter(char32_t c);

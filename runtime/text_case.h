// Case folding as the program does it everywhere it ignores case (names of global variables,
// INI sections and keys, file masks, calculator names, record order): A to Z become a to z,
// and every other byte, letters of the upper half included, stays as it is.
#pragma once

#include <string>
#include <string_view>

constexpr unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}
constexpr char FoldAscii(char c) { return static_cast<char>(FoldAscii(static_cast<unsigned char>(c))); }

std::string FoldedCopy(std::string_view text);
bool FoldedEqual(std::string_view a, std::string_view b);

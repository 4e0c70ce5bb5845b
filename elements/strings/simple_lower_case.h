// Unicode's simple lower-case mapping: one code point to one code point, as UnicodeData
// gives it (İ, U+0130, becomes a plain "i"; ß and other letters without a one-character
// lower case stay).
#pragma once

#include <cstdint>
#include <span>

// Every `step`-th code point from `first` to `last` lower-cases to itself plus `delta`.
struct LowerCaseRun {
  char32_t first;
  char32_t last;
  int32_t delta;
  uint32_t step;
};

// Ordered by `first`, none overlapping; generated (tools/make_lower_case_table.py).
std::span<const LowerCaseRun> LowerCaseRuns();

char32_t SimpleLowerCase(char32_t c);

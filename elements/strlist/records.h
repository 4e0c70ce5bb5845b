// The string list's record order (ASCII-only case folding, then unsigned bytes), as
// small pure functions that anything sorting records the same way can reuse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text_case.h"

// Folded bytes compared as unsigned values; a text that is a prefix of a longer one comes first.
bool FoldedLess(std::string_view a, std::string_view b);

// Sorts by FoldedLess. Lines equal after folding end up next to each other in no
// promised order. Runs in n log n with one pass of key building; fit for millions of lines.
void SortFolded(std::vector<std::string>& lines);
// The same order for views of texts kept elsewhere.
void SortFolded(std::vector<std::string_view>& lines);
// The positions of `lines` in that order (`lines` itself is left as it was).
std::vector<uint32_t> FoldedOrder(std::vector<std::string_view>& lines);

// The string list's record order (ASCII-only case folding, then unsigned bytes), as
// small pure functions that anything sorting records the same way can reuse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/record_list.h"
#include "runtime/text_case.h"

// Folded bytes compared as unsigned values; a text that is a prefix of a longer one comes first.
bool FoldedLess(std::string_view a, std::string_view b);

// Sorts by FoldedLess. Lines equal after folding end up next to each other in no
// promised order. A radix sort on folded bytes; fit for millions of lines. Every sort
// below goes through FoldedOrderOf, so all give the same order for the same texts.
void SortFolded(std::vector<std::string>& lines);
// The same order for views of texts kept elsewhere.
void SortFolded(std::vector<std::string_view>& lines);
// The same order for a record list, its entries moved, not its texts.
void SortFolded(RecordList& list);
// The positions of `lines` in that order (`lines` itself is left as it was).
std::vector<uint32_t> FoldedOrder(std::vector<std::string_view>& lines);

namespace folded_order {
// How the sort reaches record i without knowing where the records are kept.
using TextAt = std::string_view (*)(const void* texts, uint32_t i);
std::vector<uint32_t> Of(size_t count, TextAt text_at, const void* texts);
}  // namespace folded_order

// The numbers 0..count-1 in the folded order of text(i), for records kept anywhere (text
// returns a std::string_view, and is called again for records that tie on their first
// bytes, so it must be cheap and give the same text each time). Besides the result it
// takes 20 bytes a record for the time of the sort. At most 2^32 - 1 records.
template <class Text>
std::vector<uint32_t> FoldedOrderOf(size_t count, Text text) {
  const folded_order::TextAt text_at = [](const void* texts, uint32_t i) -> std::string_view {
    return (*static_cast<const Text*>(texts))(i);
  };
  return folded_order::Of(count, text_at, &text);
}

// What the clipboard loader makes of the clipboard: the candidate records of one web
// address, and the report of those that some list already holds. Pure functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/record_list.h"

// A host whose last character is a decimal digit is taken for an IP address.
inline bool DigitEndCheck(std::string_view host) { return !host.empty() && host.back() >= '0' && host.back() <= '9'; }

// The host of the address (scheme and path cut off), lower-cased and trimmed, followed by
// its parent domains down to the one below the top-level label; none when the host ends
// in a digit (an IP address). An address that holds no host at all gives no candidate.
std::vector<std::string> ClipboardCandidates(std::string_view clipboard);

// The line counts of the lists in the order of the all-records list, but for Unsorted,
// which holds the rest: User_BadList, User_NO_BadList, Misc, Porno, Advertisement, Viruses.
using TListCounts = std::array<int64_t, 6>;

// For every candidate, in order, and every equal record of `all_records` (the all-records
// list, in its order), three lines: "NAME - Already exists!", "(in FILE)", and an empty line.
std::vector<std::string> AlreadyExistsReport(const std::vector<std::string>& candidates, const RecordList& all_records,
                                             const TListCounts& counts);

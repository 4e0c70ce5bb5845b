// The combined ban list file: its fixed lines and its signature.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/record_list.h"

inline constexpr const char* kBanListRule = "==================================";  // 34 equals signs
inline constexpr const char* kBanListCreatedWith = "Created with Veltrane v2.0";

// The six lines a file must hold (exactly, case-sensitive) to be taken as a ban list.
inline constexpr std::array<const char*, 6> kBanListSignature{
    kBanListCreatedWith, "[Advertisement]", "[Misc]", "[Porno]", "[Unsorted]", "[Viruses (and similar)]"};

// Counts the lines equal to a signature line on a counter that wraps from 10 back to 0;
// the file is a ban list when the count ends at exactly 6.
bool HasBanListSignature(const RecordList& lines);

// The lines of the header a ban list file starts with, before its first tag.
inline constexpr size_t kBanListHeaderLines = 13;

// The records of a ban list file's lines, in order: every line below the header that is
// neither empty nor a category's tag.
std::vector<std::string_view> BanListRecords(const RecordList& lines);

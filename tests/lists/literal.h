// The record algorithms written the way the program's rules state them, step by step
// and quadratic: the reference the fast versions are checked against.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/records.h"
#include "lists/ban_list_format.h"
#include "lists/ban_list_import.h"
#include "lists/clipboard_address.h"
#include "lists/list_catalog.h"
#include "lists/list_files.h"
#include "tests/literal_records.h"

namespace literal {

// For each position, look at the later ones; at the first equal one, name the line.
inline std::vector<std::string> LinesWithLaterEqual(const std::vector<std::string>& lines) {
  std::vector<std::string> report;
  for (size_t i = 0; i < lines.size(); ++i) {
    for (size_t j = i + 1; j < lines.size(); ++j) {
      if (lines[j] == lines[i]) {
        report.push_back(lines[i]);
        break;
      }
    }
  }
  return report;
}

// Walk the records of all lists in the folded order; at each that an equal record follows
// later in that order, scan every list from its first line, delete each equal record from
// the working copy and name it, going on at the next position after a deletion.
inline std::vector<std::string> DoubleRecordReport(const TListSet& lists,
                                                   const std::array<std::string, kListCount>& file_names) {
  std::array<std::vector<std::string>, kListCount> work;
  std::vector<std::string_view> all;
  for (size_t l = 0; l < kListCount; ++l) {
    work[l] = lists[l].Strings();
    all.insert(all.end(), lists[l].begin(), lists[l].end());
  }
  std::vector<std::string_view> sorted;
  for (uint32_t position : FoldedOrder(all)) sorted.push_back(all[position]);
  std::vector<std::string> report;
  for (size_t k = 0; k < sorted.size(); ++k) {
    if (std::find(sorted.begin() + std::ptrdiff_t(k) + 1, sorted.end(), sorted[k]) == sorted.end()) continue;
    for (size_t l = 0; l < kListCount; ++l) {
      for (size_t i = 0; i < work[l].size(); ++i) {
        if (work[l][i] != sorted[k]) continue;
        work[l].erase(work[l].begin() + std::ptrdiff_t(i));
        report.push_back(std::string(sorted[k]) + " > " + file_names[l]);
      }
    }
  }
  return report;
}

inline std::vector<std::string> AlreadyExistsReport(const std::vector<std::string>& candidates,
                                                    const std::vector<std::string>& all, const TListCounts& counts) {
  std::vector<std::string> report;
  for (const auto& candidate : candidates) {
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] != candidate) continue;
      const int64_t p = int64_t(i) + 1;
      const int64_t b0 = counts[0], b1 = b0 + counts[1], b2 = b1 + counts[2], b3 = b2 + counts[3], b4 = b3 + counts[4],
                    b5 = b4 + counts[5];
      const char* file = p <= b0   ? "(in User_BadList.txt)"
                         : p <= b1 ? "(in User_NO_BadList.txt)"
                         : p <= b2 ? "(in Misc.txt)"
                         : p <= b3 ? "(in Porno.txt)"
                         : p <= b4 ? "(in Advertisement.txt)"
                         : p <= b5 ? "(in Viruses (and similar).txt)"
                                   : "(in Unsorted.txt)";
      report.push_back(candidate + " - Already exists!");
      report.push_back(file);
      report.push_back("");
    }
  }
  return report;
}

struct BanListResult {
  BanListImport::Verdict verdict = BanListImport::Verdict::NotBanList;
  std::vector<std::string> doubles, display;
};

// The loader's steps 4 to 10.
// The seven lists, each a plain array of lines.
using Lists = std::array<std::vector<std::string>, kListCount>;

inline BanListResult ImportBanList(std::vector<std::string> file, const std::string& name, Lists& lists) {
  BanListResult result;
  int counter = 0;
  for (const auto& line : file) {
    for (const char* signature : kBanListSignature) {
      if (line == signature) {
        counter = counter == 10 ? 0 : counter + 1;
        break;
      }
    }
  }
  if (counter != 6) return result;
  std::vector<std::string> normalised;
  for (const auto& line : file) {
    const std::string r = NormaliseRecord(line);
    if (!r.empty() && r != kBanListRule) normalised.push_back(r);
  }
  const std::vector<std::string> doubles = LinesWithLaterEqual(normalised);
  if (!doubles.empty()) {
    result.verdict = BanListImport::Verdict::Doubles;
    result.doubles.push_back("In File '" + name + "':");
    result.doubles.insert(result.doubles.end(), doubles.begin(), doubles.end());
    return result;
  }
  result.verdict = BanListImport::Verdict::Merged;
  SortFolded(lists[size_t(ListId::UserBad)]);
  SortFolded(lists[size_t(ListId::UserNoBad)]);
  auto& unsorted = lists[size_t(ListId::Unsorted)];
  const std::vector<std::string> reference = unsorted;
  std::vector<std::string> existing;
  for (ListId id :
       {ListId::UserBad, ListId::UserNoBad, ListId::Misc, ListId::Porno, ListId::Advertisement, ListId::Viruses})
    existing.insert(existing.end(), lists[size_t(id)].begin(), lists[size_t(id)].end());
  RemoveEveryEqual(normalised, existing);
  std::vector<std::vector<std::string>> sections;
  for (ListId id : kCategories) {
    const std::string tag = Info(id).search_tag;
    size_t start = 0;
    std::optional<size_t> end;
    bool found = false;
    for (size_t i = 0; i < normalised.size(); ++i) {
      if (normalised[i].find(tag) == std::string::npos) continue;
      found = true;
      start = i + 1;
      for (size_t j = i + 1; j < normalised.size(); ++j) {
        if (normalised[j].find('[') != std::string::npos) {
          end = j;
          break;
        }
      }
    }
    size_t stop = end.value_or(normalised.size());
    if (!found) start = stop = 0;  // a section whose tag is missing files nothing
    std::vector<std::string> section;
    for (size_t k = start; k < stop; ++k) section.push_back(normalised[k]);
    sections.push_back(std::move(section));
  }
  // Only what the file files leaves Unsorted (what it files under [unsorted] comes back).
  for (const auto& section : sections) RemoveEveryEqual(unsorted, section);
  for (size_t c = 0; c < kCategories.size(); ++c) {
    const ListId id = kCategories[c];
    std::vector<std::string>& section = sections[c];
    auto& list = lists[size_t(id)];
    result.display.push_back(Info(id).tag);
    list.insert(list.end(), section.begin(), section.end());
    SortFolded(list);
    if (id == ListId::Unsorted) RemoveEveryEqual(section, reference);
    result.display.insert(result.display.end(), section.begin(), section.end());
  }
  return result;
}

}  // namespace literal

#include "lists/ban_list_import.h"

#include <algorithm>
#include <array>
#include <optional>

#include "elements/strlist/record_index.h"
#include "elements/strlist/records.h"
#include "lists/ban_list_format.h"
#include "lists/list_files.h"

namespace {

// Marks the lines that have an equal line after them; `seen` ends up holding every line.
template <class Lines>
std::vector<bool> LaterEqual(const Lines& lines, RecordIndex& seen) {
  const std::vector<uint32_t> numbers = seen.AddEach(lines);
  // Walking backwards, a line whose number was met already has an equal line after it.
  std::vector<bool> met(seen.Size()), later(lines.size());
  for (size_t i = lines.size(); i-- > 0;) {
    later[i] = met[numbers[i]];
    met[numbers[i]] = true;
  }
  return later;
}

template <class Lines>
std::vector<std::string> Marked(const Lines& lines, const std::vector<bool>& marks) {
  std::vector<std::string> marked;
  for (size_t i = 0; i < lines.size(); ++i)
    if (marks[i]) marked.emplace_back(lines[i]);
  return marked;
}

}  // namespace

std::vector<std::string> LinesWithLaterEqual(const std::vector<std::string>& lines) {
  RecordIndex seen(lines.size());
  return Marked(lines, LaterEqual(lines, seen));
}

namespace {

// Every line lower-cased and trimmed, in its own place; empty lines and the rule lines of the
// header dropped.
RecordList Normalised(RecordList lines) {
  NormaliseEach(lines);
  lines.KeepIf([&](size_t i) { return !lines[i].empty() && lines[i] != kBanListRule; });
  return lines;
}

// The lines of one section: behind the last line that holds the tag, up to the first line
// holding "[" after a tag line (the last one found), or to the end. `next_bracket[i]` is
// the first position at or after i whose line holds "[".
struct Section {
  size_t start = 0, end = 0;
};

Section FindSection(const RecordList& records, const std::vector<size_t>& next_bracket, const std::string& tag) {
  bool found = false;
  size_t start = 0;
  std::optional<size_t> end;  // none: no "[" found behind a tag line yet
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].find(tag) == std::string_view::npos) continue;
    found = true;
    start = i + 1;
    if (next_bracket[i + 1] < records.size()) end = next_bracket[i + 1];
  }
  // A file can pass the signature count without one of the tags (when another signature
  // line is doubled). Its section is then empty: nothing is filed from it, so no list
  // gains records that the file never put under that category.
  if (!found) return {};
  return {start, end.value_or(records.size())};
}

}  // namespace

BanListImport ImportBanList(RecordList file_lines, const std::string& file_name, TListSet& lists) {
  BanListImport result;
  if (!HasBanListSignature(file_lines)) return result;
  RecordList& records = result.records;
  records = Normalised(std::move(file_lines));

  auto& unsorted = Of(lists, ListId::Unsorted);
  {
    RecordIndex in_file(records.size());
    const std::vector<bool> later = LaterEqual(records, in_file);
    if (std::find(later.begin(), later.end(), true) != later.end()) {
      result.verdict = BanListImport::Verdict::Doubles;
      result.doubles.push_back("In File '" + file_name + "':");
      for (auto& line : Marked(records, later)) result.doubles.push_back(std::move(line));
      records.clear();
      return result;
    }
  }
  result.verdict = BanListImport::Verdict::Merged;
  SortFolded(Of(lists, ListId::UserBad));
  SortFolded(Of(lists, ListId::UserNoBad));

  // Records already in any list but Unsorted are not imported again.
  {
    constexpr ListId kExisting[] = {ListId::UserBad, ListId::UserNoBad,     ListId::Misc,
                                    ListId::Porno,   ListId::Advertisement, ListId::Viruses};
    size_t count = 0;
    for (ListId id : kExisting) count += Of(lists, id).size();
    RecordIndex existing(count);
    for (ListId id : kExisting) existing.AddAll(Of(lists, id));
    RemoveKnown(records, existing);
  }

  std::vector<size_t> next_bracket(records.size() + 1, records.size());
  for (size_t i = records.size(); i-- > 0;)
    next_bracket[i] = records[i].find('[') != std::string_view::npos ? i : next_bracket[i + 1];
  std::array<Section, kCategories.size()> sections;
  for (size_t k = 0; k < kCategories.size(); ++k) {
    sections[k] = FindSection(records, next_bracket, Info(kCategories[k]).search_tag);
    sections[k].start = std::min(sections[k].start, sections[k].end);
  }

  // A record leaves Unsorted only for a category it is filed into; one under [unsorted]
  // leaves and comes back below, so that it is held once. A record the file names outside
  // every section (behind a line holding "[" that is no tag) stays where it was.
  const RecordList unsorted_before = unsorted;
  {
    size_t filed = 0;
    for (const Section& section : sections) filed += section.end - section.start;
    RecordIndex leaving(filed);
    for (const Section& section : sections)
      for (size_t i = section.start; i < section.end; ++i) leaving.Add(records[i]);
    RemoveKnown(unsorted, leaving);
  }

  for (size_t k = 0; k < kCategories.size(); ++k) {
    const ListId id = kCategories[k];
    const TListInfo& info = Info(id);
    auto& list = Of(lists, id);
    const auto first = records.begin() + std::ptrdiff_t(sections[k].start);
    const auto last = records.begin() + std::ptrdiff_t(sections[k].end);
    list.reserve(size_t(last - first));
    for (auto record = first; record != last; ++record) list.push_back(*record);
    SortFolded(list);
    result.display.push_back(info.tag);
    if (id != ListId::Unsorted) {
      result.display.insert(result.display.end(), first, last);
      continue;
    }
    // Only records Unsorted did not hold before are shown as new.
    const RecordIndex before(unsorted_before);
    for (auto record = first; record != last; ++record)
      if (!before.Contains(*record)) result.display.push_back(*record);
  }
  return result;
}

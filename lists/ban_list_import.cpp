#include "lists/ban_list_import.h"

#include <optional>

#include "elements/strlist/records.h"
#include "lists/ban_list_format.h"
#include "lists/list_files.h"
#include "lists/record_index.h"

std::vector<std::string> LinesWithLaterEqual(const std::vector<std::string>& lines) {
  // Walking backwards, a line that is already known has an equal line after it.
  std::vector<bool> later(lines.size());
  RecordIndex seen(lines.size());
  for (size_t i = lines.size(); i-- > 0;) {
    bool added = false;
    seen.Add(lines[i], &added);
    later[i] = !added;
  }
  std::vector<std::string> report;
  for (size_t i = 0; i < lines.size(); ++i)
    if (later[i]) report.push_back(lines[i]);
  return report;
}

namespace {

// Every line lower-cased and trimmed; empty lines and the rule lines of the header dropped.
std::vector<std::string> Normalised(std::vector<std::string> lines) {
  std::vector<std::string> records;
  records.reserve(lines.size());
  for (auto& line : lines) {
    std::string record = NormaliseRecord(line);
    line = std::string();  // the raw line is done with: keeps a million-line file from being held twice
    if (record.empty() || record == kBanListRule) continue;
    records.push_back(std::move(record));
  }
  return records;
}

// The lines of one section: behind the last line that holds the tag, up to the first line
// holding "[" after a tag line (the last one found), or to the end. `next_bracket[i]` is
// the first position at or after i whose line holds "[".
struct Section {
  size_t start = 0, end = 0;
};

Section FindSection(const std::vector<std::string>& records, const std::vector<size_t>& next_bracket,
                    const std::string& tag) {
  bool found = false;
  size_t start = 0;
  std::optional<size_t> end;  // none: no "[" found behind a tag line yet
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].find(tag) == std::string::npos) continue;
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

BanListImport ImportBanList(std::vector<std::string> file_lines, const std::string& file_name, TListSet& lists) {
  BanListImport result;
  if (!HasBanListSignature(file_lines)) return result;
  std::vector<std::string> records = Normalised(std::move(file_lines));

  std::vector<std::string> doubles = LinesWithLaterEqual(records);
  if (!doubles.empty()) {
    result.verdict = BanListImport::Verdict::Doubles;
    result.doubles.reserve(doubles.size() + 1);
    result.doubles.push_back("In File '" + file_name + "':");
    for (auto& line : doubles) result.doubles.push_back(std::move(line));
    return result;
  }
  result.verdict = BanListImport::Verdict::Merged;

  SortFolded(Of(lists, ListId::UserBad));
  SortFolded(Of(lists, ListId::UserNoBad));
  auto& unsorted = Of(lists, ListId::Unsorted);
  const std::vector<std::string> unsorted_before = unsorted;

  // Records the file files into a section leave Unsorted; those under [unsorted] come back below.
  RemoveKnown(unsorted, RecordIndex(records));
  // Records already in any list but Unsorted are not imported again.
  {
    RecordIndex existing;
    for (ListId id : {ListId::UserBad, ListId::UserNoBad, ListId::Misc, ListId::Porno, ListId::Advertisement,
                      ListId::Viruses})
      existing.AddAll(Of(lists, id));
    RemoveKnown(records, existing);
  }

  std::vector<size_t> next_bracket(records.size() + 1, records.size());
  for (size_t i = records.size(); i-- > 0;)
    next_bracket[i] = records[i].find('[') != std::string::npos ? i : next_bracket[i + 1];

  for (ListId id : kCategories) {
    const TListInfo& info = Info(id);
    const Section section = FindSection(records, next_bracket, info.search_tag);
    auto& list = Of(lists, id);
    result.display.push_back(info.tag);
    if (id != ListId::Unsorted) {
      for (size_t k = section.start; k < section.end; ++k) {
        list.push_back(records[k]);
        result.display.push_back(records[k]);
      }
      SortFolded(list);
      continue;
    }
    std::vector<std::string> fresh(records.begin() + std::ptrdiff_t(std::min(section.start, section.end)),
                                   records.begin() + std::ptrdiff_t(section.end));
    list.insert(list.end(), fresh.begin(), fresh.end());
    SortFolded(list);
    // Only records Unsorted did not hold before are shown as new.
    RemoveKnown(fresh, RecordIndex(unsorted_before));
    for (auto& record : fresh) result.display.push_back(std::move(record));
  }
  return result;
}

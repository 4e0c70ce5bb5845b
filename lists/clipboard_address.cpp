#include "lists/clipboard_address.h"

#include "elements/strlist/record_index.h"
#include "lists/list_catalog.h"
#include "lists/list_files.h"

std::vector<std::string> ClipboardCandidates(std::string_view address) {
  if (const size_t scheme = address.find("://"); scheme != std::string_view::npos) address.remove_prefix(scheme + 3);
  const std::string_view host = address.substr(0, address.find('/'));
  std::vector<std::string> candidates;
  // Nothing to look up: offering an empty record would only let the user file an empty line.
  if (NormaliseRecord(host).empty()) return candidates;
  candidates.push_back(NormaliseRecord(host));
  if (DigitEndCheck(host)) return candidates;
  // Drop the first label again and again; every remainder but the last (the bare
  // top-level label) is a parent domain.
  std::vector<std::string_view> remainders;
  for (std::string_view rest = host; rest.find('.') != std::string_view::npos;) {
    rest.remove_prefix(rest.find('.') + 1);
    remainders.push_back(rest);
  }
  for (size_t i = 0; i + 1 < remainders.size(); ++i) candidates.push_back(NormaliseRecord(remainders[i]));
  return candidates;
}

namespace {

// The file that holds the record at 1-based position p of the all-records list.
const char* FileAt(int64_t p, const TListCounts& counts) {
  static constexpr std::array<const char*, 7> kFiles{
      "(in User_BadList.txt)",  "(in User_NO_BadList.txt)",       "(in Misc.txt)",    "(in Porno.txt)",
      "(in Advertisement.txt)", "(in Viruses (and similar).txt)", "(in Unsorted.txt)"};
  int64_t bound = 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    bound += counts[i];
    if (p <= bound) return kFiles[i];
  }
  return kFiles[6];
}

}  // namespace

std::vector<std::string> AlreadyExistsReport(const std::vector<std::string>& candidates, const RecordList& all_records,
                                             const TListCounts& counts) {
  // One pass over the records collects, for each candidate, the positions that hold it.
  RecordIndex wanted(candidates.size());
  for (const auto& candidate : candidates) wanted.Add(candidate);
  std::vector<std::vector<int64_t>> found(wanted.Size());
  for (size_t i = 0; i < all_records.size(); ++i) {
    const uint32_t n = wanted.Find(all_records[i]);
    if (n != RecordIndex::kNone) found[n].push_back(int64_t(i) + 1);
  }
  std::vector<std::string> report;
  for (const auto& candidate : candidates) {
    for (int64_t p : found[wanted.Find(candidate)]) {
      report.push_back(candidate + " - Already exists!");
      report.push_back(FileAt(p, counts));
      report.push_back("");
    }
  }
  return report;
}

#include "lists/ban_list_format.h"

#include <algorithm>

#include "lists/list_catalog.h"

namespace {

template <class Lines>
bool HasSignature(const Lines& lines) {
  int counter = 0;
  for (std::string_view line : lines) {
    if (std::find(kBanListSignature.begin(), kBanListSignature.end(), line) == kBanListSignature.end()) continue;
    counter = counter == 10 ? 0 : counter + 1;
  }
  return counter == 6;
}

template <class Lines>
std::vector<std::string_view> RecordsOf(const Lines& lines) {
  // Room for every line at once: a million records grown by doubling would hold the old row
  // and the new one together.
  std::vector<std::string_view> records;
  records.reserve(lines.size() > kBanListHeaderLines ? lines.size() - kBanListHeaderLines : 0);
  for (size_t i = kBanListHeaderLines; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.empty()) continue;
    if (std::any_of(kCategories.begin(), kCategories.end(), [&](ListId id) { return line == Info(id).tag; })) continue;
    records.push_back(line);
  }
  return records;
}

}  // namespace

bool HasBanListSignature(const RecordList& lines) { return HasSignature(lines); }

std::vector<std::string_view> BanListRecords(const RecordList& lines) { return RecordsOf(lines); }

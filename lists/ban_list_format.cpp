#include "lists/ban_list_format.h"

#include <algorithm>

#include "lists/list_catalog.h"

bool HasBanListSignature(const std::vector<std::string>& lines) {
  int counter = 0;
  for (const auto& line : lines) {
    if (std::find(kBanListSignature.begin(), kBanListSignature.end(), line) == kBanListSignature.end()) continue;
    counter = counter == 10 ? 0 : counter + 1;
  }
  return counter == 6;
}

std::vector<std::string_view> BanListRecords(const std::vector<std::string>& lines) {
  std::vector<std::string_view> records;
  for (size_t i = kBanListHeaderLines; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (std::any_of(kCategories.begin(), kCategories.end(), [&](ListId id) { return line == Info(id).tag; })) continue;
    records.push_back(line);
  }
  return records;
}

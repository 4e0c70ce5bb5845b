#include "lists/ban_list_format.h"

#include <algorithm>

bool HasBanListSignature(const std::vector<std::string>& lines) {
  int counter = 0;
  for (const auto& line : lines) {
    if (std::find(kBanListSignature.begin(), kBanListSignature.end(), line) == kBanListSignature.end()) continue;
    counter = counter == 10 ? 0 : counter + 1;
  }
  return counter == 6;
}

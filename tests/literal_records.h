// The rule both the lists and the targets state for leaving known records out, written
// step by step: the reference their indexed versions are checked against.
#pragma once

#include <string>
#include <vector>

namespace literal {

// For each unwanted record, remove every equal entry, scanning from the start again after each removal.
inline void RemoveEveryEqual(std::vector<std::string>& list, const std::vector<std::string>& unwanted) {
  for (const auto& u : unwanted) {
    for (size_t i = 0; i < list.size();) {
      if (list[i] == u) {
        list.erase(list.begin() + std::ptrdiff_t(i));
        i = 0;
      } else {
        ++i;
      }
    }
  }
}

}  // namespace literal

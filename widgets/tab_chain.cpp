#include "widgets/tab_chain.h"

#include <algorithm>
#include <cstddef>

namespace widgets {

void PlaceInTabChain(std::vector<ControlId>& chain, ControlId id, int order) {
  chain.erase(std::remove(chain.begin(), chain.end(), id), chain.end());
  const int place = std::clamp(order - 1, 0, static_cast<int>(chain.size()));
  chain.insert(chain.begin() + place, id);
}

ControlId NextInTabChain(const std::vector<ControlId>& chain, ControlId from, bool backwards) {
  const auto found = std::find(chain.begin(), chain.end(), from);
  if (found == chain.end()) return kNoControl;
  const size_t at = static_cast<size_t>(found - chain.begin());
  const size_t count = chain.size();
  return chain[backwards ? (at + count - 1) % count : (at + 1) % count];
}

}  // namespace widgets

// Substring search with a remembered position.
#include "elements/strings/position.h"

void TKXPosition::doSearch(TData& value, uint16_t) {
  const std::string s = InputText(value, dataStr, std::string());
  const std::string f = InputText(value, dataSearch, Search);
  if (Restart || position_ == 0) position_ = InputInteger(value, dataStartPos, StartPos);
  if (position_ < 1) position_ = 1;

  int32_t found = 0;
  const size_t from = static_cast<size_t>(position_) - 1;
  if (!s.empty() && !f.empty() && from < s.size()) {
    const size_t at = s.find(f, from);
    if (at != std::string::npos) found = static_cast<int32_t>(at + 1);
  }
  // The state moves behind the match before anyone hears of it, so that a receiver that searches
  // again at once (a loop over all matches) goes on behind this match instead of finding it forever.
  position_ = found == 0 ? 0 : static_cast<int32_t>(static_cast<size_t>(found) + f.size());
  if (found == 0 && FoundOnly) return;
  FireEvent(onSearch, found);
}

void TKXPosition::varPosition(TData& result, uint16_t) { result = MakeInteger(position_); }

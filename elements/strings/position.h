// TKXPosition: finds a substring, optionally going on from where the last match ended.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXPosition : public TKXObject {
 public:
  std::string Search;      // default of dataSearch
  int32_t StartPos = 0;    // default of dataStartPos; positions below 1 count as 1
  bool FoundOnly = false;  // fire nothing when there is no match
  bool Restart = false;    // start every search at dataStartPos instead of behind the last match

  TEventLink dataStr;
  TEventLink dataSearch;
  TEventLink dataStartPos;
  TEventLink onSearch;  // the 1-based start of the match, or 0

  void doSearch(TData& value, uint16_t index);
  // The index just behind the last match, or 0 after a failed search.
  void varPosition(TData& result, uint16_t index);

 private:
  int32_t position_ = 0;
};

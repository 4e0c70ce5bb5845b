// ClipboardLoader: offers the web address on the clipboard and its parent domains, or,
// when any of them is already in a list, reports where.
//
// Input 0 doLoad. Data input 0: the all-records list (an array). Events: 0 onLine (a
// candidate, or a line of the report), 1 onCancel (before every report line: nothing is
// offered), 2 count correction (after every report line).
#pragma once

#include <array>

#include "elements/files/clipboard.h"
#include "runtime/global_var.h"
#include "runtime/scheme.h"

class ClipboardLoader : public TScheme {
 public:
  enum Input : uint16_t { kDoLoad = 0, kInputCount };
  enum Data : uint16_t { kDataKnown = 0 };
  enum Event : uint16_t { kOnLine = 0, kOnCancel = 1, kOnCountLine = 2 };

  explicit ClipboardLoader(TKXWin* parent);

  void doLoad(TData& value, uint16_t index);

 private:
  TKXClipboard& clipboard_;
  std::array<TKXGlobalVar*, 6> counters_{};  // in the order of the all-records list, Unsorted left out
};

// RecordCountDisplay: the number shown under the source list.
//
// Data input 0: the number of lines in the source list. Inputs: 0 the list changed (the
// number as it is), 1 a ban list line arrived (the number less the five section tags),
// 2 a line of the clipboard's already-exists report arrived (the number divided by three,
// three lines per record). Event 0: the text to show.
#pragma once

#include "runtime/scheme.h"

class RecordCountDisplay : public TScheme {
 public:
  // What the number shown is made of: the list as it is, a ban list's, the clipboard's report.
  enum Input : uint16_t { kDoListChanged = 0, kDoBanListLine = 1, kDoClipboardLine = 2, kInputCount };
  enum Data : uint16_t { kDataLineCount = 0, kDataCount };
  enum Event : uint16_t { kOnText = 0, kEventCount };

  explicit RecordCountDisplay(TKXWin* parent);

  void doShow(TData& value, uint16_t kind);
};

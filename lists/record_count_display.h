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
  explicit RecordCountDisplay(TKXWin* parent);

  void doShow(TData& value, uint16_t kind);
};

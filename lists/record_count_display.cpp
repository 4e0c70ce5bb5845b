#include "lists/record_count_display.h"

RecordCountDisplay::RecordCountDisplay(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(3);
  for (uint16_t k = 0; k < 3; ++k) Port.onInput[k] = MakeLink<&RecordCountDisplay::doShow>(*this, k);
}

void RecordCountDisplay::doShow(TData&, uint16_t kind) {
  TData count;
  PullData(DataInput(0), count);
  const double n = AsReal(count);
  const double shown = kind == 1 ? n - 5 : kind == 2 ? n / 3 : n;
  FireEvent(EventOutput(0), AsText(MakeReal(shown)));
}

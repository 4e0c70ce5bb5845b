#include "lists/record_count_display.h"

RecordCountDisplay::RecordCountDisplay(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(kInputCount);
  for (uint16_t k = 0; k < kInputCount; ++k) Port.onInput[k] = MakeLink<&RecordCountDisplay::doShow>(*this, k);
}

void RecordCountDisplay::doShow(TData&, uint16_t kind) {
  TData count;
  PullData(DataInput(kDataLineCount), count);
  const double n = AsReal(count);
  const double shown = kind == kDoBanListLine ? n - 5 : kind == kDoClipboardLine ? n / 3 : n;
  FireEvent(EventOutput(kOnText), AsText(MakeReal(shown)));
}

// The data forwarder: discards what arrived, reads its input and forwards the result.
#include "runtime/do_data.h"

void TKXDoData::doData(TData& value, uint16_t) {
  // Whatever arrived is dropped first, so it can never stand in for an unlinked input.
  value.Clear();
  TData read;
  InputValue(value, dataData, Data, read);
  ForwardEvent(value, onEventData, read);
}

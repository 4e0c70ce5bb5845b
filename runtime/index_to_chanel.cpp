// The index switch reads the index first, so an unlinked dataIndex takes the arriving value.
#include "runtime/index_to_chanel.h"

void TKXIndexToChanel::SetCount(int32_t n) {
  if (n < 1) {
    Count = 0;
    return;
  }
  onEvent.resize(size_t(n));
  Count = n;
}

void TKXIndexToChanel::doEvent(TData& value, uint16_t) {
  const int32_t index = InputInteger(value, dataIndex, 0);
  TData data;
  InputValue(value, dataData, Data, data);
  if (index < 0 || index >= Count || size_t(index) >= onEvent.size()) return;
  FireEvent(onEvent[size_t(index)], data);
}

// The array reader: one Get, fired when it succeeds.
#include "elements/arrays/array_rw.h"

void TKXArrayRW::doRead(TData& value, uint16_t) {
  TData array;
  PullData(dataArray, array);
  TData at;
  InputValue(value, dataIndex, Index, at);
  if (array.kind != KindArray || array.array == nullptr) return;
  // The index goes to the array as it came; the array decides how to read it.
  TData item;
  if (!array.array->Get(at, item)) return;
  item_ = item;
  FireEvent(onRead, item);
}

void TKXArrayRW::varItem(TData& result, uint16_t) { result = item_; }

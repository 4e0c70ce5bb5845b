// The array enumerator's walk.
#include "elements/arrays/array_enum.h"

#include <limits>

void TKXArrayEnum::doEnum(TData&, uint16_t) {
  stop_ = false;
  TData array;
  PullData(dataArray, array);
  if (array.kind == KindArray && array.array != nullptr) {
    // The count is read once; after that Get alone decides where the walk ends, so
    // items added or removed by a handler lengthen or shorten a forward walk.
    const int64_t step = Direction == 0 ? 1 : -1;
    int64_t i = Direction == 0 ? 0 : int64_t(array.array->Count()) - 1;
    while (!stop_ && i >= 0 && i <= std::numeric_limits<int32_t>::max()) {
      TData item;
      if (!array.array->Get(MakeInteger(int32_t(i)), item)) break;
      item_ = item;
      index_ = MakeInteger(int32_t(i));
      // Handlers get their own copy: whatever they do to it must not reach varItem.
      FireEvent(onItem, item);
      i += step;
    }
  }
  FireEvent(onEndEnum);
}

void TKXArrayEnum::doStop(TData&, uint16_t) { stop_ = true; }

void TKXArrayEnum::varItem(TData& result, uint16_t) { result = item_; }

void TKXArrayEnum::varIndex(TData& result, uint16_t) { result = index_; }

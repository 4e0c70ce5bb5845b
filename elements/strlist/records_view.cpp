#include "elements/strlist/records_view.h"

#include <algorithm>

TRecordsView::TRecordsView(const TData& value) {
  if (value.kind != KindArray || !value.array) return;
  if (const RecordList* records = value.array->Records()) {
    records_ = records;
    return;
  }
  const int32_t count = value.array->Count();
  copy_.reserve(size_t(std::max(count, 0)));
  for (int32_t i = 0; i < count; ++i) {
    TData item;
    if (value.array->Get(MakeInteger(i), item)) copy_.push_back(AsText(item));
  }
}

// TRecordsView: the records of an array value, as the loaders and importers read the
// known records from the all-records list.
#pragma once

#include "runtime/data.h"
#include "runtime/record_list.h"

// The records of an array value: the array's own records when it keeps them, else a copy.
class TRecordsView {
 public:
  explicit TRecordsView(const TData& array);
  TRecordsView(const TRecordsView&) = delete;
  TRecordsView& operator=(const TRecordsView&) = delete;
  const RecordList& Records() const { return *records_; }

 private:
  RecordList copy_;
  const RecordList* records_ = &copy_;
};

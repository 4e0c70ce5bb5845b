// TRecordsView: the records of an array value, as the loaders and importers read the
// known records from the all-records list.
#pragma once

#include <string>
#include <vector>

#include "runtime/data.h"

// The records of an array value: the array's own lines when it keeps them, else a copy.
class TRecordsView {
 public:
  explicit TRecordsView(const TData& array);
  TRecordsView(const TRecordsView&) = delete;
  TRecordsView& operator=(const TRecordsView&) = delete;
  const std::vector<std::string>& Records() const { return *records_; }

 private:
  std::vector<std::string> copy_;
  const std::vector<std::string>* records_ = &copy_;
};

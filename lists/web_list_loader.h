// WebListLoader: offers the records of a published block list (a hosts file, a filter list,
// plain domains, or a mix) that no list holds yet, each once, in the file's order.
//
// Input 0: the file name. Data input 0: the records already known (an array). Events:
// 0 onLine, one record, last to first; 1 onCancel, the file could not be read whole (the
// user was told why); 2 onSummary, before the records: "NAME: N new, M known, R repeated,
// K skipped", NAME the file's name without its folder.
#pragma once

#include "lists/record_file_loader.h"

class WebListLoader : public RecordFileLoader {
 public:
  enum WebEvent : uint16_t { kOnSummary = kOnCancel + 1 };

  explicit WebListLoader(TKXWin* parent);

  void doLoad(TData& value, uint16_t index);
};

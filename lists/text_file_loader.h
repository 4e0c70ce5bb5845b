// TextFileLoader: offers the records of a text file that no list holds yet.
//
// Input 0: the file name. Data input 0: the records already known (an array). Events:
// 0 onLine, one record, last to first; 1 onCancel, the file could not be read whole (the
// user was told why).
#pragma once

#include <string>
#include <vector>

#include "elements/strlist/record_index.h"
#include "elements/strlist/records_view.h"
#include "lists/record_file_loader.h"

// The file's lines lower-cased and trimmed (empty lines stay), without those `known` holds.
RecordList NewTextRecords(RecordList lines, const RecordIndex& known);

class TextFileLoader : public RecordFileLoader {
 public:
  explicit TextFileLoader(TKXWin* parent);

  void doLoad(TData& value, uint16_t index);
};

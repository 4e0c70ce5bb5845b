#include "lists/web_list_filing.h"

#include "elements/strlist/record_index.h"

size_t FileNewRecords(TListSet& lists, ListId into, WebListReading& reading) {
  std::vector<bool> held;
  {
    size_t count = 0;
    for (const auto& list : lists) count += list.size();
    RecordIndex known(count);
    for (const auto& list : lists) known.AddAll(list);
    held = known.ContainsEach(reading.records);
  }
  KeepNewRecords(reading, held);
  RecordList& list = Of(lists, into);
  const size_t filed = reading.records.size();
  if (list.empty()) {
    list.swap(reading.records);  // not a second buffer of a million records
  } else {
    list.Append(reading.records);
  }
  reading.records.Free();
  return filed;
}

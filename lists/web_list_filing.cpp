#include "lists/web_list_filing.h"

#include "lists/list_files.h"
#include "runtime/lines.h"

std::optional<std::vector<std::string>> WebListLines(std::string_view bytes, std::string* why) {
  if (std::optional<std::string> reason = NotTextReason(bytes)) {
    if (why) *why = "is no text list: it " + *reason;
    return std::nullopt;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return SplitLines(bytes, LineBreaks::Any);
}

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
  std::vector<std::string>& list = Of(lists, into);
  list.reserve(list.size() + reading.records.size());
  for (std::string& record : reading.records) list.push_back(std::move(record));
  const size_t filed = reading.records.size();
  reading.records = {};
  return filed;
}

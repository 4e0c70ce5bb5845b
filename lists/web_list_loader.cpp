#include "lists/web_list_loader.h"

#include "elements/strlist/record_index.h"
#include "elements/strlist/records_view.h"
#include "lists/web_list_reader.h"

WebListLoader::WebListLoader(TKXWin* parent) : RecordFileLoader(parent) {
  Port.onInput[kDoLoad] = MakeLink<&WebListLoader::doLoad>(*this);
}

void WebListLoader::doLoad(TData& value, uint16_t) {
  const std::string path = AsText(value);
  WebListReader reader;
  if (!WholeOrTell(path, ReadWebListFile(path, reader))) return;
  // The list's records are all in before the index of the known records is built: the
  // reader's own index of them is gone by then.
  WebListReading reading = reader.Take();
  TData known_value;
  PullData(DataInput(kDataKnown), known_value);
  std::vector<bool> held;
  {
    const TRecordsView known(known_value);
    held = RecordIndex(known.Records()).ContainsEach(reading.records);
  }
  KeepNewRecords(reading, held);
  const std::string name = path.substr(path.find_last_of("\\/") + 1);
  FireEvent(EventOutput(kOnSummary), name + ": " + WebListSummary(reading));
  const TEventLink on_line = EventOutput(kOnLine);
  for (size_t i = reading.records.size(); i-- > 0;) FireEvent(on_line, std::string(reading.records[i]));
}

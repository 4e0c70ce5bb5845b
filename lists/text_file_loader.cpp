#include "lists/text_file_loader.h"

#include "lists/list_files.h"

RecordList NewTextRecords(RecordList lines, const RecordIndex& known) {
  NormaliseEach(lines);
  RemoveKnown(lines, known);
  return lines;
}

TextFileLoader::TextFileLoader(TKXWin* parent) : RecordFileLoader(parent) {
  Port.onInput[kDoLoad] = MakeLink<&TextFileLoader::doLoad>(*this);
}

void TextFileLoader::doLoad(TData& value, uint16_t) {
  std::optional<RecordList> lines = ReadWholeOrTell(AsText(value));
  if (!lines) return;
  TData known_value;
  PullData(DataInput(kDataKnown), known_value);
  const TRecordsView known(known_value);
  const RecordList records = NewTextRecords(std::move(*lines), RecordIndex(known.Records()));
  const TEventLink on_line = EventOutput(kOnLine);
  for (size_t i = records.size(); i-- > 0;) FireEvent(on_line, std::string(records[i]));
}

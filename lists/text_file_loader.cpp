#include "lists/text_file_loader.h"

#include "lists/list_files.h"

std::vector<std::string> NewTextRecords(std::vector<std::string> lines, const RecordIndex& known) {
  for (auto& line : lines) line = NormaliseRecord(line);
  RemoveKnown(lines, known);
  return lines;
}

TextFileLoader::TextFileLoader(TKXWin* parent) : RecordFileLoader(parent) {
  Port.onInput[kDoLoad] = MakeLink<&TextFileLoader::doLoad>(*this);
}

void TextFileLoader::doLoad(TData& value, uint16_t) {
  std::optional<std::vector<std::string>> lines = ReadWholeOrTell(AsText(value));
  if (!lines) return;
  TData known_value;
  PullData(DataInput(kDataKnown), known_value);
  const TRecordsView known(known_value);
  const std::vector<std::string> records = NewTextRecords(std::move(*lines), RecordIndex(known.Records()));
  const TEventLink on_line = EventOutput(kOnLine);
  for (auto record = records.rbegin(); record != records.rend(); ++record) FireEvent(on_line, *record);
}

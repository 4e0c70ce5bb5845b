#include "lists/text_file_loader.h"

#include "lists/list_files.h"
#include "runtime/save_failure.h"

std::vector<std::string> NewTextRecords(std::vector<std::string> lines, const RecordIndex& known) {
  for (auto& line : lines) line = NormaliseRecord(line);
  RemoveKnown(lines, known);
  return lines;
}

TextFileLoader::TextFileLoader(TKXWin* parent) : TScheme(parent) {
  AsFailureBox(not_whole_);
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&TextFileLoader::doLoad>(*this);
}

void TextFileLoader::doLoad(TData& value, uint16_t) {
  const std::string path = AsText(value);
  RecordFile file = ReadRecords(path);
  if (!file.Whole()) {
    // Offering the records before a NUL byte would pass the rest over without a word.
    TData text = MakeText(NotWholeMessage(path, file, "Nothing was loaded."));
    not_whole_.doMessage(text, 0);
    FireEvent(EventOutput(1));
    return;
  }
  TData known_value;
  PullData(DataInput(0), known_value);
  const TRecordsView known(known_value);
  const std::vector<std::string> records = NewTextRecords(std::move(file.lines), RecordIndex(known.Records()));
  const TEventLink on_line = EventOutput(0);
  for (auto record = records.rbegin(); record != records.rend(); ++record) FireEvent(on_line, *record);
}

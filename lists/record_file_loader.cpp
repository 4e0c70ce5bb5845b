#include "lists/record_file_loader.h"

#include "runtime/save_failure.h"

RecordFileLoader::RecordFileLoader(TKXWin* parent) : TScheme(parent) {
  AsFailureBox(not_whole_);
  Port.SetInputCount(kInputCount);
}

std::optional<RecordList> RecordFileLoader::ReadWholeOrTell(const std::string& path) {
  RecordFile file = ReadRecords(path);
  if (!WholeOrTell(path, file)) return std::nullopt;
  return std::move(file.lines);
}

bool RecordFileLoader::WholeOrTell(const std::string& path, const RecordFile& file) {
  if (file.Whole()) return true;
  TData text = MakeText(NotWholeMessage(path, file, "Nothing was loaded."));
  not_whole_.doMessage(text, 0);
  FireEvent(EventOutput(kOnCancel));
  return false;
}

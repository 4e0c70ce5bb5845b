#include "lists/list_store.h"

#include "runtime/save_failure.h"

TListStore::TListStore() {
  program_dir_.SetName("VELTR_dir");
  AsFailureBox(save_error_);
  AsFailureBox(not_whole_);
}

std::string TListStore::ProgramDir() const { return AsText(program_dir_.Value()); }

RecordList TListStore::Load(ListId id) const { return LoadRecords(Path(id)); }

void TListStore::TellNotWhole(const std::string& path, const RecordFile& file, std::string_view what_happens) {
  TData text = MakeText(NotWholeMessage(path, file, what_happens));
  not_whole_.doMessage(text, 0);
}

std::optional<RecordList> TListStore::LoadWhole(ListId id, std::string_view what_happens) {
  RecordFile file = ReadRecords(Path(id));
  if (file.Whole()) return std::move(file.lines);
  TellNotWhole(Path(id), file, what_happens);
  return std::nullopt;
}

std::optional<TListSet> TListStore::LoadAllWhole(std::string_view what_happens) {
  TListSet lists;
  std::string told;
  for (size_t i = 0; i < kListCount; ++i) {
    const std::string path = Path(ListId(i));
    RecordFile file = ReadRecords(path);
    if (file.Whole()) {
      lists[i] = std::move(file.lines);
      continue;
    }
    if (!told.empty()) told += "\r\n";
    told += NotWholeMessage(path, file, what_happens);
  }
  if (told.empty()) return lists;
  TData text = MakeText(told);
  not_whole_.doMessage(text, 0);
  return std::nullopt;
}

bool TListStore::SaveFile(const std::string& path, const std::vector<std::string>& lines, RecordFile* written) {
  std::string why;
  if (SaveRecords(path, lines, &why, written)) return true;
  TellSaveFailure(path, why);
  return false;
}

bool TListStore::SaveFile(const std::string& path, const RecordList& lines, RecordFile* written) {
  std::string why;
  if (SaveRecords(path, lines, &why, written)) return true;
  TellSaveFailure(path, why);
  return false;
}

void TListStore::TellSaveFailure(const std::string& path, const std::string& why) {
  TData text = MakeText(SaveFailureMessage(path, why));
  save_error_.doMessage(text, 0);
}

#include "lists/list_store.h"

#include "runtime/save_failure.h"
#include "lists/list_files.h"

TListStore::TListStore() {
  program_dir_.SetName("VELTR_dir");
  save_error_.Caption = kSaveFailureCaption;
  save_error_.Icon = 1;
}

std::string TListStore::ProgramDir() const { return AsText(program_dir_.Value()); }

std::vector<std::string> TListStore::Load(ListId id) const { return LoadRecords(Path(id)); }

TListSet TListStore::LoadAll() const {
  TListSet lists;
  for (size_t i = 0; i < kListCount; ++i) lists[i] = Load(ListId(i));
  return lists;
}

bool TListStore::SaveFile(const std::string& path, const std::vector<std::string>& lines) {
  std::string why;
  if (SaveRecords(path, lines, &why)) return true;
  TData text = MakeText(SaveFailureMessage(path, why));
  save_error_.doMessage(text, 0);
  return false;
}

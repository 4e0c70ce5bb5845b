#include "lists/ban_list_loader.h"

#include <algorithm>

#include "lists/ban_list_format.h"
#include "lists/ban_list_import.h"
#include "lists/list_files.h"
#include "lists/web_origins.h"
#include "runtime/lines.h"

namespace {
// The name of a file without its folder.
std::string BareName(const std::string& path) {
  const size_t sep = path.find_last_of("\\/:");
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string JoinedByCrLf(const std::vector<std::string>& lines) {
  std::string text = JoinLines(lines);
  if (!text.empty()) text.resize(text.size() - 2);
  return text;
}
}  // namespace

BanListLoader::BanListLoader(TKXWin* parent)
    : TScheme(parent),
      open_dialog_(New<TKXODialog>()),
      not_ban_list_(New<TKXMessage>()),
      doubles_found_(New<TKXMessage>()) {
  open_dialog_.Title = "Open BanList";
  open_dialog_.Filter = "BanList (*.txt)|*.txt";
  not_ban_list_.Message = "This is not BanList!";
  not_ban_list_.Caption = "Error!";
  not_ban_list_.Type = kButtonsOk;
  not_ban_list_.Icon = kIconWarning;
  doubles_found_.Caption = "Warning: Double Records found!";
  doubles_found_.Type = kButtonsOk;
  doubles_found_.Icon = kIconExclamation;

  // A chosen file is merged; a cancelled dialog, or a file that is no ban list, loads nothing.
  open_dialog_.onExecute = MakeLink<&BanListLoader::Merge>(*this);
  open_dialog_.onCancel = EventOutput(kOnCancel);
  not_ban_list_.onMessage = EventOutput(kOnCancel);

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoLoad] = MakeLink<&BanListLoader::doLoad>(*this);
}

void BanListLoader::doLoad(TData&, uint16_t) {
  TData none;
  open_dialog_.doExecute(none, 0);
}

void BanListLoader::Merge(TData& value, uint16_t) {
  const std::string path = AsText(value);
  RecordFile file = ReadRecords(path);
  if (!file.Whole()) {
    // Records behind a NUL byte would be missed, and doubles among them not seen.
    store_.TellNotWhole(path, file, "Nothing was loaded.");
    FireEvent(EventOutput(kOnCancel));
    return;
  }
  RecordList file_lines = std::move(file.lines);
  // The seven lists are read only for a file that is a ban list, and a merge saves all
  // seven: it needs every one of them whole.
  TListSet lists;
  if (HasBanListSignature(file_lines)) {
    std::optional<TListSet> read = store_.LoadAllWhole("Nothing was merged and no list was changed.");
    if (!read) {
      FireEvent(EventOutput(kOnCancel));
      return;
    }
    lists = std::move(*read);
  }
  BanListImport result = ImportBanList(std::move(file_lines), BareName(path), lists);
  TData none;
  switch (result.verdict) {
    case BanListImport::Verdict::NotBanList: not_ban_list_.doMessage(none, 0); return;
    case BanListImport::Verdict::Doubles: {
      // Nothing is merged and no file changes; the source list stays empty.
      TData text = MakeText(JoinedByCrLf(result.doubles));
      doubles_found_.doMessage(text, 0);
      return;
    }
    case BanListImport::Verdict::Merged: break;
  }

  // The file's names are the user's, filed by hand: no subscription takes them out from now on.
  // That is written before the lists, so that a kill in between takes nothing out either.
  std::string file_failed, why;
  if (!ClaimNames(store_.ProgramDir(), result.records, &file_failed, &why)) {
    store_.TellSaveFailure(file_failed, why);
    FireEvent(EventOutput(kOnCancel));
    return;
  }
  // Unsorted only loses records (to the categories the file files them into), so it is
  // saved last, and only when every other list was saved: a failed save never loses a record.
  bool saved = store_.Save(ListId::UserBad, Of(lists, ListId::UserBad)) &&
               store_.Save(ListId::UserNoBad, Of(lists, ListId::UserNoBad));
  for (ListId id : kCategories) {
    if (saved && id != ListId::Unsorted) saved = store_.Save(id, Of(lists, id));
  }
  if (saved) saved = store_.Save(ListId::Unsorted, Of(lists, ListId::Unsorted));
  lists = TListSet{};
  if (!saved) {
    // The user was told which file could not be saved; the records are not shown as filed.
    FireEvent(EventOutput(kOnCancel));
    return;
  }

  const TEventLink on_line = EventOutput(kOnLine), on_count = EventOutput(kOnCountLine);
  for (auto line = result.display.rbegin(); line != result.display.rend(); ++line) {
    TData text = MakeText(std::string(*line));
    TData copy = text;
    FireEvent(on_line, text);
    FireEvent(on_count, copy);
  }
}

#include "app/import_mode.h"

#include <iostream>
#include <optional>

#include "app/mode_folder.h"
#include "elements/strlist/records.h"
#include "lists/list_files.h"
#include "lists/list_store.h"
#include "lists/web_list_filing.h"
#include "lists/web_list_update.h"
#include "lists/web_subscriptions.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "widgets/user_action.h"

namespace {

// The lines of the list to import, or nothing after telling why.
std::optional<std::vector<std::string>> ListLines(const std::string& from) {
  std::string why;
  if (IsWebAddress(from)) {
    platform::HttpRequest request;
    request.url = from;
    const platform::HttpResponse response = DownloadWhileWaiting(request, nullptr);
    if (response.result != platform::HttpResponse::Result::Ok) {
      std::cerr << "veltrane: cannot download " << from << ": " << response.error << "\n";
      return std::nullopt;
    }
    std::optional<std::vector<std::string>> lines = WebListLines(response.body, &why);
    if (!lines) std::cerr << "veltrane: " << from << " " << why << "\n";
    return lines;
  }
  RecordFile file = ReadRecords(from);
  if (file.state == RecordFile::State::Missing) {
    std::cerr << "veltrane: there is no file " << platform::NativePath(from) << "\n";
    return std::nullopt;
  }
  if (!file.Whole()) {
    std::cerr << "veltrane: " << NotWholeMessage(from, file, "Nothing was imported.") << "\n";
    return std::nullopt;
  }
  return std::move(file.lines);
}

}  // namespace

int RunImportMode(const std::string& from, const std::string& into) {
  const std::optional<ListId> list = ListNamed(into);
  if (!list) {
    std::cerr << "veltrane: no list is named \"" << into << "\"; the lists are " << ListNameChoices() << "\n";
    return 1;
  }
  UseProgramFolder();
  std::optional<std::vector<std::string>> lines = ListLines(from);
  if (!lines) return 1;
  WebListReading reading = ExtractWebRecords(std::move(*lines));
  // From the lists' reading to their save, no other Veltrane may write them.
  const platform::FolderLock lock("veltrane --import");
  if (!lock.Held()) {
    std::cerr << "veltrane: " << FolderLockedMessage(lock.Why()) << "\n";
    return 1;
  }
  TListStore store;
  std::optional<TListSet> lists = store.LoadAllWhole("Nothing was imported and no list was changed.");
  if (!lists) return 1;
  const size_t filed = FileNewRecords(*lists, *list, reading);
  if (filed > 0) {
    SortFolded(Of(*lists, *list));
    if (!store.Save(*list, Of(*lists, *list))) return 1;
  }
  std::cout << WebListSummary(filed, reading.known, reading.skipped) << "\n";
  return 0;
}

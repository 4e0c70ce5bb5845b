#include "app/import_mode.h"

#include <iostream>
#include <optional>

#include "app/mode_folder.h"
#include "elements/strlist/records.h"
#include "lists/list_files.h"
#include "lists/list_store.h"
#include "lists/web_list_filing.h"
#include "lists/web_list_reader.h"
#include "lists/web_list_update.h"
#include "lists/web_origins.h"
#include "lists/web_subscriptions.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "widgets/user_action.h"

namespace {

// What the list to import gave, read as it comes, or nothing after telling why.
std::optional<WebListReading> ReadList(const std::string& from) {
  if (IsWebAddress(from)) {
    WebListReader reader(WebListReader::Source::Download);
    platform::HttpRequest request;
    request.url = from;
    request.sink = SinkInto(reader);
    const platform::HttpResponse response = DownloadWhileWaiting(request, nullptr);
    if (response.result == platform::HttpResponse::Result::Ok) reader.End();
    if (reader.Refused()) {
      std::cerr << "veltrane: " << from << " " << reader.Refused()->Text() << "\n";
      return std::nullopt;
    }
    if (response.result != platform::HttpResponse::Result::Ok) {
      std::cerr << "veltrane: cannot download " << from << ": " << response.error << "\n";
      return std::nullopt;
    }
    return reader.Take();
  }
  WebListReader reader;
  const RecordFile file = ReadWebListFile(from, reader);
  if (file.state == RecordFile::State::Missing) {
    std::cerr << "veltrane: there is no file " << platform::NativePath(from) << "\n";
    return std::nullopt;
  }
  if (!file.Whole()) {
    std::cerr << "veltrane: " << NotWholeMessage(from, file, "Nothing was imported.") << "\n";
    return std::nullopt;
  }
  return reader.Take();
}

}  // namespace

int RunImportMode(const std::string& from, const std::string& into) {
  const std::optional<ListId> list = ListNamed(into);
  if (!list) {
    std::cerr << "veltrane: no list is named \"" << into << "\"; the lists are " << ListNameChoices() << "\n";
    return 1;
  }
  UseProgramFolder();
  std::optional<WebListReading> reading = ReadList(from);
  if (!reading) return 1;
  // From the lists' reading to their save, no other Veltrane may write them.
  const platform::FolderLock lock("veltrane --import");
  if (!lock.Held()) {
    std::cerr << "veltrane: " << FolderLockedMessage(lock.Why()) << "\n";
    return 1;
  }
  TListStore store;
  std::optional<TListSet> lists = store.LoadAllWhole("Nothing was imported and no list was changed.");
  if (!lists) return 1;
  // Every name of the list is the user's now, filed by hand: no subscription takes it out. That
  // is written first, so that a kill before the lists' save takes nothing out either.
  std::string file, why;
  if (!ClaimNames(platform::ProgramDir(), reading->records, &file, &why)) {
    std::cerr << "veltrane: could not save '" << platform::NativePath(file) << "': " << why
              << ". Nothing was imported.\n";
    return 1;
  }
  const size_t filed = FileNewRecords(*lists, *list, *reading);
  if (filed > 0) {
    SortFolded(Of(*lists, *list));
    if (!store.Save(*list, Of(*lists, *list))) return 1;
  }
  std::cout << WebListSummary(filed, reading->known, reading->repeated, reading->skipped) << "\n";
  return 0;
}

#include "lists/web_list_update.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "elements/files/dir.h"
#include "elements/strlist/records.h"
#include "lists/web_list_filing.h"
#include "lists/web_list_reader.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/platform/profile.h"

std::string WebUpdateOutcome::Text() const {
  switch (kind) {
    case Kind::Filed: return subscription.url + ": " + WebListSummary(fresh, known, repeated, skipped);
    case Kind::NotModified: return subscription.url + ": not modified";
    case Kind::Failed: break;
  }
  return subscription.url + ": error: " + error;
}

platform::HttpResponse DownloadWhileWaiting(platform::HttpRequest request, const DownloadWait& wait) {
  std::atomic<uint64_t> received = 0;
  std::atomic<bool> done = false;
  request.received = &received;
  // A download touches no file of the program folder and may take minutes: meanwhile other
  // processes may write there, and the caller reads the lists again once it is in.
  const platform::FolderLockPause pause;
  platform::HttpResponse response;
  std::thread worker([&] {
    response = platform::HttpGet(request);
    done = true;
  });
  while (!done) {
    if (wait) wait(received.load(std::memory_order_relaxed));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  worker.join();
  return response;
}

std::string DownloadProgressText(size_t number, size_t count, const std::string& url, uint64_t received) {
  char size[32];
  std::snprintf(size, sizeof size, "%.1f MB", double(received) / 1e6);
  return "Downloading " + std::to_string(number) + " of " + std::to_string(count) + ": " + url + ", " + size;
}

std::string WebStatePath(const std::string& program_dir) { return program_dir + "Backup\\Web\\state.ini"; }

namespace {

// A downloaded list whose records wait to be filed.
struct Pending {
  size_t outcome = 0;  // its place among the outcomes
  ListId into = ListId::Unsorted;
  WebListReading reading;
  std::string etag, last_modified;
};

// An ETag is a quoted text ("33a64df5"), and a value in quotes is read without them: in one
// more pair of quotes it comes back as it was sent, blanks and quotes and all.
std::string Quoted(const std::string& value) { return "\"" + value + "\""; }

// The order the subscriptions are worked through: those into User_NO_BadList first.
std::vector<size_t> WorkOrder(const std::vector<WebSubscription>& subscriptions) {
  std::vector<size_t> order;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < subscriptions.size(); ++i)
      if ((ListNamed(subscriptions[i].list) == ListId::UserNoBad) == (pass == 0)) order.push_back(i);
  return order;
}

}  // namespace

std::vector<WebUpdateOutcome> UpdateWebLists(const std::vector<WebSubscription>& subscriptions, TListStore& store,
                                             const std::function<void(const std::string&)>& progress) {
  std::vector<WebUpdateOutcome> outcomes(subscriptions.size());
  const std::string state = WebStatePath(store.ProgramDir());
  std::vector<Pending> pending;
  const std::vector<size_t> order = WorkOrder(subscriptions);
  for (size_t step = 0; step < order.size(); ++step) {
    const size_t i = order[step];
    WebUpdateOutcome& outcome = outcomes[i];
    outcome.subscription = subscriptions[i];
    const std::string& url = subscriptions[i].url;
    const std::optional<ListId> into = ListNamed(subscriptions[i].list);
    if (!into) {
      outcome.error = "no list is named '" + subscriptions[i].list + "'";
      continue;
    }
    if (!IsWebAddress(url)) {
      outcome.error = "not an http:// or https:// address";
      continue;
    }
    WebListReader reader(WebListReader::Source::Download);
    platform::HttpRequest request;
    request.url = url;
    request.etag = platform::ReadProfileString(state, url, "etag");
    request.last_modified = platform::ReadProfileString(state, url, "last_modified");
    request.sink = SinkInto(reader);
    const platform::HttpResponse response = DownloadWhileWaiting(request, [&](uint64_t received) {
      if (progress) progress(DownloadProgressText(step + 1, order.size(), url, received));
    });
    if (response.result == platform::HttpResponse::Result::NotModified) {
      outcome.kind = WebUpdateOutcome::Kind::NotModified;
      continue;
    }
    if (response.result == platform::HttpResponse::Result::Failed) {
      outcome.error = response.error;
      continue;
    }
    if (!reader.End()) {
      outcome.error = reader.Refused()->Text();
      continue;
    }
    pending.push_back({i, *into, reader.Take(), response.etag, response.last_modified});
  }
  if (progress) progress("");
  if (pending.empty()) return outcomes;

  // The lists are read once every download is in, so that what is filed goes into the files
  // as they are now; a list that cannot be read whole is not saved over. From that reading to
  // the last save and the answers remembered with it, no other Veltrane may write.
  const platform::FolderLock lock("veltrane --update");
  if (!lock.Held()) {
    for (const Pending& p : pending) outcomes[p.outcome].error = lock.Why() + "; nothing was filed";
    return outcomes;
  }
  std::optional<TListSet> lists = store.LoadAllWhole("Nothing was filed and no list was changed.");
  if (!lists) {
    for (const Pending& p : pending) outcomes[p.outcome].error = "a list could not be read whole; nothing was filed";
    return outcomes;
  }
  std::array<bool, kListCount> changed{};
  for (Pending& p : pending) {
    WebUpdateOutcome& outcome = outcomes[p.outcome];
    outcome.fresh = FileNewRecords(*lists, p.into, p.reading);
    outcome.known = p.reading.known;
    outcome.repeated = p.reading.repeated;
    outcome.skipped = p.reading.skipped;
    changed[size_t(p.into)] = changed[size_t(p.into)] || outcome.fresh > 0;
  }
  // One save per list; a subscription counts as done only when its list was saved, and only
  // then is its answer remembered, so that a list not saved is downloaded again next time.
  std::array<bool, kListCount> saved{};
  for (size_t l = 0; l < kListCount; ++l) {
    if (!changed[l]) {
      saved[l] = true;
      continue;
    }
    SortFolded((*lists)[l]);
    saved[l] = store.Save(ListId(l), (*lists)[l]);
  }
  bool state_folder = false;
  for (const Pending& p : pending) {
    WebUpdateOutcome& outcome = outcomes[p.outcome];
    if (!saved[size_t(p.into)]) {
      outcome.error = "'" + std::string(Info(p.into).file_name) + "' could not be saved; nothing was filed";
      continue;
    }
    outcome.kind = WebUpdateOutcome::Kind::Filed;
    if (!state_folder) state_folder = CreateFolderChain(store.ProgramDir() + "Backup\\Web");
    const std::string& url = outcome.subscription.url;
    platform::WriteProfileString(state, url, "etag", Quoted(p.etag));
    platform::WriteProfileString(state, url, "last_modified", Quoted(p.last_modified));
  }
  return outcomes;
}

#include "lists/web_list_update.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "elements/files/dir.h"
#include "elements/files/time_stamp.h"
#include "elements/strlist/records.h"
#include "lists/web_list_filing.h"
#include "lists/web_list_reader.h"
#include "lists/web_origins.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/platform/profile.h"

std::string WebUpdateOutcome::Text() const {
  switch (kind) {
    case Kind::Filed:
      return subscription.url + ": " + std::to_string(fresh) + " new, " + std::to_string(taken_out) + " taken out, " +
             std::to_string(known) + " known, " + std::to_string(repeated) + " repeated, " + std::to_string(skipped) +
             " skipped";
    case Kind::NotModified: return subscription.url + ": not modified";
    case Kind::Failed: break;
  }
  return subscription.url + ": error: " + error;
}

platform::HttpResponse DownloadWhileWaiting(platform::HttpRequest request, const DownloadWait& wait) {
  std::atomic<uint64_t> received = 0;
  request.received = &received;
  // A download touches no file of the program folder and may take minutes: meanwhile other
  // processes may write there, and the caller reads the lists again once it is in.
  const platform::FolderLockPause pause;
  platform::HttpResponse response;
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  std::thread worker([&] {
    platform::HttpResponse got = platform::HttpGet(request);
    const std::lock_guard<std::mutex> lock(mutex);
    response = std::move(got);
    done = true;
    ended.notify_one();
  });
  {
    // Woken as soon as the download ends, not at the next look.
    std::unique_lock<std::mutex> lock(mutex);
    while (!done) {
      if (wait) {
        lock.unlock();
        wait(received.load(std::memory_order_relaxed));
        lock.lock();
      }
      ended.wait_for(lock, std::chrono::milliseconds(30), [&done] { return done; });
    }
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

std::string WebUpdatesPath(const std::string& program_dir) { return program_dir + "Backup\\Web\\updates.ini"; }

namespace {

// A downloaded list whose records wait to be filed.
struct Pending {
  size_t outcome = 0;  // its place among the outcomes
  ListId into = ListId::Unsorted;
  WebListReading reading;
  RecordLookup lookup;  // the table its records were read by
  std::string etag, last_modified;
  bool held_back = false;  // it lost more than half its names, and was not accepted
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

namespace {

// What an update keeps of each subscription besides its download's answer, for
// `--subscriptions`.
constexpr const char* kUpdatedKey = "updated";
constexpr const char* kResultKey = "result";

std::string OutcomeResult(const WebUpdateOutcome& outcome) {
  const std::string text = outcome.Text();
  return text.substr(outcome.subscription.url.size() + 2);
}

std::string LossText(size_t lost, size_t had) {
  return "it lost " + std::to_string(lost) + " of the " + std::to_string(had) +
         " names of its last update, more than half (a mistake upstream, or a page that is no list?): "
         "held back, nothing of it changed";
}

// The lists as the update leaves them, saved once each; false when any could not be saved
// (the user was told), and then nothing of the subscriptions' is written either.
bool SaveChanged(TListSet& lists, const std::array<bool, kListCount>& changed, TListStore& store, std::string& failed) {
  for (size_t l = 0; l < kListCount; ++l) {
    if (!changed[l]) continue;
    SortFolded(lists[l]);
    if (!store.Save(ListId(l), lists[l])) {
      failed = "'" + std::string(kLists[l].file_name) + "' could not be saved; nothing was filed";
      return false;
    }
  }
  return true;
}

}  // namespace

WebUpdate UpdateWebLists(const std::vector<WebSubscription>& subscriptions, TListStore& store,
                         const WebUpdateOptions& options) {
  const auto& progress = options.progress;
  const auto& accept_loss = options.accept_loss;
  const auto& still_subscribed = options.still_subscribed;
  WebUpdate update;
  std::vector<WebUpdateOutcome>& outcomes = update.outcomes;
  outcomes.resize(subscriptions.size());
  const std::string program_dir = store.ProgramDir();
  const std::string state = WebStatePath(program_dir);
  std::vector<Pending> pending;
  const std::vector<size_t> order = WorkOrder(subscriptions);
  std::set<std::string> fetched;
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
    if (!fetched.insert(url).second) {
      outcome.error = "subscribed twice; updated once";
      continue;
    }
    if (options.cancel && options.cancel->load()) {
      outcome.error = std::string(platform::kCancelled) + ": not downloaded";
      continue;
    }
    WebListReader reader(WebListReader::Source::Download);
    platform::HttpRequest request;
    request.url = url;
    request.etag = platform::ReadProfileString(state, url, "etag");
    request.last_modified = platform::ReadProfileString(state, url, "last_modified");
    request.sink = SinkInto(reader);
    request.cancel = options.cancel;
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
    Pending& p = pending.emplace_back();
    p.outcome = i;
    p.into = *into;
    p.reading = reader.Take(&p.lookup);
    p.etag = response.etag;
    p.last_modified = response.last_modified;
  }
  if (progress) progress("");

  // The lists are read once every download is in, so that what is filed goes into the files
  // as they are now; a list that cannot be read whole is not saved over. From that reading to
  // the last save and the answers remembered with it, no other Veltrane may write.
  const platform::FolderLock lock("veltrane --update");
  if (!lock.Held()) {
    for (const Pending& p : pending) outcomes[p.outcome].error = lock.Why() + "; nothing was filed";
    return update;
  }
  if (still_subscribed) {
    const std::vector<WebSubscription> now = still_subscribed();
    std::erase_if(pending, [&](const Pending& p) {
      WebUpdateOutcome& outcome = outcomes[p.outcome];
      if (std::find(now.begin(), now.end(), outcome.subscription) != now.end()) return false;
      outcome.error = "no longer subscribed; nothing was filed";
      return true;
    });
  }
  bool filed = !pending.empty();
  std::optional<TListSet> lists;
  if (filed) lists = store.LoadAllWhole("Nothing was filed and no list was changed.");
  if (filed && !lists) {
    for (const Pending& p : pending) outcomes[p.outcome].error = "a list could not be read whole; nothing was filed";
    filed = false;
  }
  WebOrigins origins;
  std::array<bool, kListCount> changed{};
  if (filed) {
    std::vector<std::string> urls;
    for (const WebSubscription& s : subscriptions) urls.push_back(s.url);
    origins.Load(program_dir, urls);
    update.troubles = origins.Troubles();
    origins.ForgetMoved(*lists);
    for (Pending& p : pending) {
      WebUpdateOutcome& outcome = outcomes[p.outcome];
      const WebOrigins::Comparison compared = origins.Compare(outcome.subscription.url, p.reading.records, &p.lookup);
      const size_t had = compared.Had(), lost = compared.lost;
      if (lost * 2 > had && had > 0 && !(accept_loss && accept_loss(outcome.subscription, lost, had))) {
        outcome.error = LossText(lost, had);
        p.held_back = true;
        continue;
      }
      const WebOrigins::Update applied =
          origins.Apply(outcome.subscription.url, p.into, p.reading.records, compared, *lists);
      outcome.fresh = applied.fresh;
      outcome.taken_out = applied.taken_out;
      outcome.known = applied.known;
      outcome.repeated = p.reading.repeated;
      outcome.skipped = p.reading.skipped;
      for (size_t l = 0; l < kListCount; ++l) changed[l] = changed[l] || applied.changed[l];
    }
    std::string failed;
    if (!SaveChanged(*lists, changed, store, failed)) {
      for (Pending& p : pending)
        if (!p.held_back) outcomes[p.outcome].error = failed;
      filed = false;
    }
    lists.reset();  // saved: a million records are not held while the rest is written
  }
  // What the subscriptions know is written after the lists, and the answers of the downloads
  // last: a kill between two of these writes leaves names the user's, never takes one out.
  if (!outcomes.empty()) CreateFolderChain(program_dir + "Backup\\Web");
  if (filed) {
    std::string file, why;
    if (!origins.Save(&file, &why)) {
      std::string text = "'";
      text += platform::NativePath(file);
      text += "' could not be saved: " + why + ". The lists were updated; the names filed now count as the user's own";
      update.troubles.push_back(text);
      filed = false;
    }
  }
  const std::string when = FormatTimeStamp("D.M.Y h:m:s", platform::Now());
  for (Pending& p : pending) {
    WebUpdateOutcome& outcome = outcomes[p.outcome];
    if (p.held_back || !outcome.error.empty()) continue;
    outcome.kind = WebUpdateOutcome::Kind::Filed;
    if (!filed) continue;  // downloaded again next time
    const std::string& url = outcome.subscription.url;
    platform::WriteProfileString(state, url, "etag", Quoted(p.etag));
    platform::WriteProfileString(state, url, "last_modified", Quoted(p.last_modified));
  }
  const std::string updates = WebUpdatesPath(program_dir);
  for (const WebUpdateOutcome& outcome : outcomes) {
    if (outcome.subscription.url.empty()) continue;
    platform::WriteProfileString(updates, outcome.subscription.url, kUpdatedKey, when);
    platform::WriteProfileString(updates, outcome.subscription.url, kResultKey, OutcomeResult(outcome));
  }
  return update;
}

WebUpdateRecord LastWebUpdate(const std::string& program_dir, const std::string& url) {
  const std::string updates = WebUpdatesPath(program_dir);
  return {platform::ReadProfileString(updates, url, kUpdatedKey),
          platform::ReadProfileString(updates, url, kResultKey)};
}

bool ForgetWebState(const std::string& program_dir, const std::string& url) {
  return platform::EraseProfileSection(WebStatePath(program_dir), url) &&
         platform::EraseProfileSection(WebUpdatesPath(program_dir), url);
}

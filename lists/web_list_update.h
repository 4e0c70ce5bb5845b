// Updating the subscribed web lists, in the window ("Update Now") and from the command line
// (`veltrane --update`): every address is downloaded, politely (what the last download of it
// answered is sent along, so that an unchanged list is not sent again), and its new records
// (those in no list) are filed into its list, sorted and saved as a ban list merge saves. A
// failed download changes nothing. Subscriptions into User_NO_BadList are filed first, so a
// record that list holds is never filed into a category by the same update.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lists/list_store.h"
#include "lists/web_subscriptions.h"
#include "runtime/platform/http.h"

struct WebUpdateOutcome {
  enum class Kind { Filed, NotModified, Failed };
  WebSubscription subscription;
  Kind kind = Kind::Failed;
  size_t fresh = 0, taken_out = 0, known = 0, repeated = 0, skipped = 0;
  std::string error;

  // "ADDRESS: 12 new, 1 taken out, 3 known, 2 repeated, 4 skipped", "ADDRESS: not modified" or
  // "ADDRESS: error: REASON".
  std::string Text() const;
};

// What an update did: a line per subscription, and what else the user must know (a file of
// the subscriptions' that was damaged, or could not be saved).
struct WebUpdate {
  std::vector<WebUpdateOutcome> outcomes;
  std::vector<std::string> troubles;
};

// Runs the download on a worker thread and calls `wait` on this thread, again and again
// (every few hundredths of a second) until it has ended, with the bytes received so far:
// a window keeps painting meanwhile and shows the progress.
using DownloadWait = std::function<void(uint64_t received)>;
platform::HttpResponse DownloadWhileWaiting(platform::HttpRequest request, const DownloadWait& wait);

// "Downloading 2 of 5: ADDRESS, 1.4 MB" (MB of a million bytes).
std::string DownloadProgressText(size_t number, size_t count, const std::string& url, uint64_t received);

// Where the answers of the last downloads are kept (ETag and Last-Modified, per address).
std::string WebStatePath(const std::string& program_dir);
// Where the time and the outcome of each subscription's last update are kept.
std::string WebUpdatesPath(const std::string& program_dir);

// The question for a list that lost more than half of its names since its last update (an
// upstream mistake, an error page): true files it as it is now; false holds it back, changing
// nothing of it.
using AcceptLoss = std::function<bool(const WebSubscription& subscription, size_t lost, size_t had)>;

struct WebUpdateOptions {
  // Gets a text like DownloadProgressText's while a download runs, then the empty text.
  std::function<void(const std::string&)> progress;
  // Asked of a list that lost more than half its names; without it such a list is held back.
  AcceptLoss accept_loss;
  // When given, reads the subscriptions again once the downloads are in and the program
  // folder is locked: a list whose subscription ended meanwhile (another process removed it)
  // is not filed.
  std::function<std::vector<WebSubscription>()> still_subscribed;
  // Set by the user's "stop" (Esc in the window): the download that runs ends, the ones not
  // begun are not made, and the lists downloaded whole before are filed.
  const std::atomic<bool>* cancel = nullptr;
};

// Updates every subscription, in their order in the outcomes. The store tells the user of
// lists that cannot be read whole or saved (then the subscriptions into them count as
// failed). An update files the names a list has newly and takes out those it dropped, as
// WebOrigins says (its counts in the outcome). Each subscription's last update and its outcome
// are kept with its download's answer.
WebUpdate UpdateWebLists(const std::vector<WebSubscription>& subscriptions, TListStore& store,
                         const WebUpdateOptions& options = {});

// When a subscription was last updated and what came of it ("07.12.2026 17:30:12", "12 new, 0
// taken out, ..." or "error: ..."), as the update kept them; empty when never.
struct WebUpdateRecord {
  std::string when, result;
};
WebUpdateRecord LastWebUpdate(const std::string& program_dir, const std::string& url);
// Forgets what the last download of the address answered, and when it was: the address
// subscribed again is downloaded afresh.
bool ForgetWebState(const std::string& program_dir, const std::string& url);

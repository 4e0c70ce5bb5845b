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
  size_t fresh = 0, known = 0, repeated = 0, skipped = 0;
  std::string error;

  // "ADDRESS: 12 new, 3 known, 2 repeated, 4 skipped", "ADDRESS: not modified" or
  // "ADDRESS: error: REASON".
  std::string Text() const;
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

// Updates every subscription, in their order in the outcomes. `progress` gets a text like
// DownloadProgressText's while a download runs; the store tells the user of lists that cannot
// be read whole or saved (then the subscriptions into them count as failed).
std::vector<WebUpdateOutcome> UpdateWebLists(const std::vector<WebSubscription>& subscriptions, TListStore& store,
                                             const std::function<void(const std::string&)>& progress);

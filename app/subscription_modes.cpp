#include "app/subscription_modes.h"

#include <iostream>

#include "app/mode_folder.h"
#include "lists/list_store.h"
#include "lists/web_list_update.h"
#include "lists/web_origins.h"
#include "lists/web_subscribing.h"
#include "runtime/ini_path.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "widgets/user_action.h"

namespace {

// The settings file, when its section of subscriptions can be read as it was written; nothing
// after telling why.
std::optional<std::string> ReadableSettings() {
  const std::string settings = ResolveIniPath(kSettingsFile);
  const std::string problem = WebListsProblem(settings);
  if (problem.empty()) return settings;
  std::cerr << "veltrane: " << platform::NativePath(settings) << ": " << problem
            << "; the subscriptions are not changed until it is mended in an editor\n";
  return std::nullopt;
}

bool Locked(const platform::FolderLock& lock) {
  if (lock.Held()) return true;
  std::cerr << "veltrane: " << FolderLockedMessage(lock.Why()) << "\n";
  return false;
}

}  // namespace

int RunSubscribeMode(const std::string& url, const std::string& list) {
  UseProgramFolder();
  const platform::FolderLock lock("veltrane --subscribe");
  if (!Locked(lock)) return 1;
  const std::optional<std::string> settings = ReadableSettings();
  if (!settings) return 1;
  const std::string problem = SubscribeProblem(ReadWebSubscriptions(*settings), url, list);
  if (!problem.empty()) {
    std::cerr << "veltrane: " << problem << "\n";
    return 1;
  }
  std::string why;
  if (!Subscribe(*settings, platform::ProgramDir(), {url, list}, &why)) {
    std::cerr << "veltrane: could not save '" << platform::NativePath(*settings) << "': " << why << "\n";
    return 1;
  }
  std::cout << url << ": subscribed into " << Info(*ListNamed(list)).name << "; --update downloads it\n";
  return 0;
}

int RunUnsubscribeMode(const std::string& url) {
  UseProgramFolder();
  const platform::FolderLock lock("veltrane --unsubscribe");
  if (!Locked(lock)) return 1;
  const std::optional<std::string> settings = ReadableSettings();
  if (!settings) return 1;
  TListStore store;
  const Unsubscribed removed = Unsubscribe(*settings, url, store);
  for (const std::string& trouble : removed.troubles) std::cerr << "veltrane: " << trouble << "\n";
  if (!removed.done) {
    std::cerr << "veltrane: " << removed.error << "\n";
    return 1;
  }
  std::cout << url << ": no longer subscribed, " << removed.taken_out << " taken out\n";
  return removed.troubles.empty() ? 0 : 1;
}

int RunSubscriptionsMode() {
  UseProgramFolder();
  const platform::FolderLock lock("veltrane --subscriptions");
  if (!Locked(lock)) return 1;
  const std::string settings = ResolveIniPath(kSettingsFile);
  const std::string problem = WebListsProblem(settings);
  if (!problem.empty()) std::cerr << "veltrane: " << platform::NativePath(settings) << ": " << problem << "\n";
  const std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(settings);
  std::vector<std::string> urls;
  for (const WebSubscription& s : subscriptions) urls.push_back(s.url);
  WebOrigins origins;
  origins.Load(platform::ProgramDir(), urls);
  for (const std::string& trouble : origins.Troubles()) std::cerr << "veltrane: " << trouble << "\n";
  for (const WebSubscription& s : subscriptions) {
    const WebUpdateRecord last = LastWebUpdate(platform::ProgramDir(), s.url);
    std::cout << s.url << "\t" << s.list << "\t" << origins.Brought(s.url) << "\t"
              << (last.when.empty() ? "never" : last.when) << "\t" << last.result << "\n";
  }
  return problem.empty() && origins.Troubles().empty() ? 0 : 1;
}

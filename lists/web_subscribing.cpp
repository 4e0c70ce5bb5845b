#include "lists/web_subscribing.h"

#include <algorithm>

#include "elements/files/dir.h"
#include "lists/web_list_update.h"
#include "lists/web_origins.h"
#include "runtime/platform/files.h"

std::string SubscribeProblem(const std::vector<WebSubscription>& subscriptions, const std::string& url,
                             const std::string& list) {
  if (!IsWebAddress(url)) return "Enter the web address of a block list, starting with http:// or https://.";
  if (list.empty()) return "Choose the list that the new records of '" + url + "' go into.";
  if (!ListNamed(list)) return "No list is named \"" + list + "\"; the lists are " + ListNameChoices() + ".";
  for (const WebSubscription& s : subscriptions)
    if (s.url == url)
      return "'" + url + "' is subscribed already, into " + s.list + ". Remove it first to choose another list.";
  return "";
}

bool Subscribe(const std::string& ini_file, const std::string& program_dir, const WebSubscription& subscription,
               std::string* why) {
  std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(ini_file);
  subscriptions.push_back({subscription.url, Info(*ListNamed(subscription.list)).name});
  ForgetWebState(program_dir, subscription.url);
  platform::RemoveFile(SubscriptionNamesPath(program_dir, subscription.url));
  if (WriteWebSubscriptions(ini_file, subscriptions)) return true;
  if (why) *why = "the file cannot be written";
  return false;
}

Unsubscribed Unsubscribe(const std::string& ini_file, const std::string& url, TListStore& store) {
  Unsubscribed result;
  std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(ini_file);
  const auto at = std::find_if(subscriptions.begin(), subscriptions.end(),
                               [&url](const WebSubscription& s) { return s.url == url; });
  if (at == subscriptions.end()) {
    result.error = "'" + url + "' is not subscribed";
    return result;
  }
  std::optional<TListSet> lists = store.LoadAllWhole("The subscription was not removed and no list was changed.");
  if (!lists) {
    result.error = "a list could not be read whole; the subscription was not removed";
    return result;
  }
  const std::string program_dir = store.ProgramDir();
  WebOrigins origins;
  std::vector<std::string> urls;
  for (const WebSubscription& s : subscriptions) urls.push_back(s.url);
  origins.Load(program_dir, urls);
  result.troubles = origins.Troubles();
  origins.ForgetMoved(*lists);
  std::array<bool, kListCount> changed{};
  result.taken_out = origins.Remove(url, *lists, changed);
  for (size_t l = 0; l < kListCount; ++l) {
    if (changed[l] && !store.Save(ListId(l), (*lists)[l])) {
      result.error = "'" + std::string(kLists[l].file_name) + "' could not be saved; the subscription was not removed";
      return result;
    }
  }
  // What the subscriptions know is written after the lists: a kill in between leaves names the
  // user's, never takes one out.
  CreateFolderChain(program_dir + "Backup\\Web");
  std::string file, why;
  if (!origins.Save(&file, &why)) {
    std::string text = "'";
    text += platform::NativePath(file);
    text += "' could not be saved: " + why;
    result.troubles.push_back(text);
  }
  subscriptions.erase(at);
  if (!WriteWebSubscriptions(ini_file, subscriptions)) {
    result.error = "'" + platform::NativePath(ini_file) + "' cannot be written; the subscription stays";
    return result;
  }
  ForgetWebState(program_dir, url);
  result.done = true;
  return result;
}

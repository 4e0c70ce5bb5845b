// Adding and removing a subscription, as the Web Lists panel and the command line do it, with
// the same checks and the same words. The caller holds the program folder's lock.
#pragma once

#include <string>
#include <vector>

#include "lists/list_store.h"
#include "lists/web_subscriptions.h"

// Why the address cannot be subscribed into the list of that name (its display name or any
// name ListNamed takes), for the user; empty when it can.
std::string SubscribeProblem(const std::vector<WebSubscription>& subscriptions, const std::string& url,
                             const std::string& list);

// Adds the subscription at the end of the settings' section, and forgets anything an earlier
// subscription of the address left, so that its first update downloads it afresh. False with
// the reason in `why`.
bool Subscribe(const std::string& ini_file, const std::string& program_dir, const WebSubscription& subscription,
               std::string* why);

struct Unsubscribed {
  bool done = false;
  size_t taken_out = 0;               // names only it brought, taken out of the lists
  std::string error;                  // not done: why
  std::vector<std::string> troubles;  // done, but a file of the subscriptions' was damaged or not saved
};
// Ends the subscription: the names only it answers for leave their lists (those another
// subscription holds pass to that one), then it leaves the settings, and what its downloads
// answered is forgotten. A list that cannot be read whole or saved ends it before the
// settings change (the store told the user).
Unsubscribed Unsubscribe(const std::string& ini_file, const std::string& url, TListStore& store);

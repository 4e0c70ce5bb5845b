// The subscriptions from the command line, for scripts and machines without a display:
// `--subscribe URL --into LIST`, `--unsubscribe URL` and `--subscriptions`, with the checks and
// words of the Web Lists panel. Each returns 0 when it did its work, 1 (the reason on standard
// error) otherwise.
#pragma once

#include <string>

int RunSubscribeMode(const std::string& url, const std::string& list);
int RunUnsubscribeMode(const std::string& url);
// One line per subscription, fields separated by tabs: the address, the list, how many names
// it brought that are still its own, when it was last updated and what came of it ("never"
// before its first update).
int RunSubscriptionsMode();

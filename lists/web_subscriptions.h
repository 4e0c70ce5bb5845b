// The web lists the user subscribes to: each web address with the list its new records go
// into, kept in "Veltra.ini", section "WebLists": `count`, then `url1`, `list1`, `url2`,
// `list2` ... where a list is named by its display name ("Advertisement", "User_NO_BadList").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_catalog.h"

inline constexpr const char* kWebListsSection = "WebLists";

struct WebSubscription {
  std::string url;
  std::string list;  // a display name; a hand-edited file may hold one that names no list

  bool operator==(const WebSubscription&) const = default;
};

// The list of that display name, or of the label the generate page shows for it ("Viruses"),
// in any case ("advertisement", "USER_BADLIST"); or nothing.
std::optional<ListId> ListNamed(std::string_view name);
// The display names, as a message lists them: "Advertisement", "Misc", ... "User_NO_BadList".
std::string ListNameChoices();

// An address the program can download: "http://" or "https://" (in any case) and a host.
bool IsWebAddress(std::string_view url);

// The subscriptions in the file, in their order; entries without an address are passed over.
std::vector<WebSubscription> ReadWebSubscriptions(const std::string& ini_file);

// The most subscriptions the section holds: far more than anyone subscribes to, and few
// enough that a count mistyped by some digits is told rather than read as a million keys.
inline constexpr int32_t kMostWebLists = 10000;

// What keeps the section from being read as it was written, in words for the user ("count=0x10
// is no whole number"), or empty: a count that is no whole number from 0 to kMostWebLists, an
// address or list without a count or beyond it, the section given twice. A hand-edited file
// may hold such a section; the subscriptions that can be read are, and the section is never
// written over while it is wrong, which would lose the entries it cannot read.
std::string WebListsProblem(const std::string& ini_file);

// Writes the section anew: the entries first, then the count, then the keys of entries that
// are no more are taken out. False, leaving the count as it was, when the file cannot be written.
bool WriteWebSubscriptions(const std::string& ini_file, const std::vector<WebSubscription>& subscriptions);

// "ADDRESS > LIST", as the settings panel lists a subscription.
std::string SubscriptionText(const WebSubscription& subscription);

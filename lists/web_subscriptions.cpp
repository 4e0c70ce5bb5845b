#include "lists/web_subscriptions.h"

#include "runtime/platform/profile.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (AsciiLower(text[i]) != prefix[i]) return false;
  return true;
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::string Key(const char* name, size_t n) { return name + std::to_string(n); }

}  // namespace

std::optional<ListId> ListNamed(std::string_view name) {
  for (size_t i = 0; i < kListCount; ++i)
    if (SameNoCase(name, kLists[i].name) || SameNoCase(name, PageLabel(ListId(i)))) return ListId(i);
  return std::nullopt;
}

std::string ListNameChoices() {
  std::string names;
  for (const auto& list : kLists) names += std::string(names.empty() ? "" : ", ") + "\"" + list.name + "\"";
  return names;
}

bool IsWebAddress(std::string_view url) {
  // Longer would not come back whole from the settings file.
  if (url.size() > platform::kProfileValueMax) return false;
  for (std::string_view scheme : {"http://", "https://"}) {
    if (!StartsWithNoCase(url, scheme)) continue;
    const std::string_view rest = url.substr(scheme.size());
    const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    if (host.empty()) return false;
    for (char c : url)
      if (static_cast<unsigned char>(c) <= ' ') return false;
    return true;
  }
  return false;
}

std::vector<WebSubscription> ReadWebSubscriptions(const std::string& ini_file) {
  std::vector<WebSubscription> subscriptions;
  const int32_t count = platform::ReadProfileInt(ini_file, kWebListsSection, "count");
  for (int32_t n = 1; n <= count && n <= 10000; ++n) {
    WebSubscription s{platform::ReadProfileString(ini_file, kWebListsSection, Key("url", size_t(n))),
                      platform::ReadProfileString(ini_file, kWebListsSection, Key("list", size_t(n)))};
    if (!s.url.empty()) subscriptions.push_back(std::move(s));
  }
  return subscriptions;
}

bool WriteWebSubscriptions(const std::string& ini_file, const std::vector<WebSubscription>& subscriptions) {
  const int32_t old_count = platform::ReadProfileInt(ini_file, kWebListsSection, "count");
  for (size_t n = 1; n <= subscriptions.size(); ++n) {
    if (!platform::WriteProfileString(ini_file, kWebListsSection, Key("url", n), subscriptions[n - 1].url) ||
        !platform::WriteProfileString(ini_file, kWebListsSection, Key("list", n), subscriptions[n - 1].list))
      return false;
  }
  if (!platform::WriteProfileString(ini_file, kWebListsSection, "count", std::to_string(subscriptions.size())))
    return false;
  for (size_t n = subscriptions.size() + 1; int64_t(n) <= int64_t(old_count); ++n) {
    platform::DeleteProfileKey(ini_file, kWebListsSection, Key("url", n));
    platform::DeleteProfileKey(ini_file, kWebListsSection, Key("list", n));
  }
  return true;
}

std::string SubscriptionText(const WebSubscription& subscription) {
  return subscription.url + " > " + (subscription.list.empty() ? "?" : subscription.list);
}

#include "lists/web_subscriptions.h"

#include <algorithm>
#include <map>

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

// The section is read once: another program's save between two reads could mix two versions.
std::vector<WebSubscription> ReadWebSubscriptions(const std::string& ini_file) {
  std::vector<WebSubscription> subscriptions;
  const platform::ProfileSection section = platform::ReadProfileSection(ini_file, kWebListsSection);
  const int32_t count = section.Int("count");
  for (int32_t n = 1; n <= count && n <= kMostWebLists; ++n) {
    WebSubscription s{section.String(Key("url", size_t(n))), section.String(Key("list", size_t(n)))};
    if (!s.url.empty()) subscriptions.push_back(std::move(s));
  }
  return subscriptions;
}

namespace {

// The number N of a key "urlN" or "listN" (N from 1, no sign, no leading zero); 0 otherwise.
int64_t EntryNumber(const std::string& key) {
  for (std::string_view prefix : {"url", "list"}) {
    if (key.size() <= prefix.size() || !StartsWithNoCase(key, prefix)) continue;
    const std::string_view digits = std::string_view(key).substr(prefix.size());
    if (digits[0] == '0' || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
      return 0;
    return std::stoll(std::string(digits));
  }
  return 0;
}

}  // namespace

std::string WebListsProblem(const std::string& ini_file) {
  const platform::ProfileSection section = platform::ReadProfileSection(ini_file, kWebListsSection);
  const std::string name = "[" + std::string(kWebListsSection) + "]";
  if (section.copies > 1)
    return "the section " + name + " is there " + std::to_string(section.copies) + " times, and only the first is read";
  std::optional<std::string> count_text;
  int64_t highest = 0;
  std::string highest_key;
  for (const auto& [key, value] : section.keys) {
    if (key.size() == 5 && StartsWithNoCase(key, "count")) count_text = value;
    const int64_t n = EntryNumber(key);
    if (n > highest) highest = n, highest_key = key;
  }
  if (!count_text) return highest > 0 ? "section " + name + " has " + highest_key + " but no count" : "";
  const std::string& text = *count_text;
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return "count=" + text + " in section " + name + " is no whole number from 0 to " + std::to_string(kMostWebLists);
  const int64_t count = std::stoll(text);
  if (count > kMostWebLists)
    return "count=" + text + " in section " + name + " is more than " + std::to_string(kMostWebLists) + " web lists";
  if (highest > count) return "section " + name + " has " + highest_key + " beyond count=" + text;
  // Every entry up to the count names an address, each address once.
  std::vector<std::string> urls(size_t(count) + 1), lists(size_t(count) + 1);
  for (const auto& [key, value] : section.keys) {
    const int64_t n = EntryNumber(key);
    if (n > 0) (StartsWithNoCase(key, "url") ? urls : lists)[size_t(n)] = value;
  }
  std::map<std::string_view, int64_t> first;
  for (int64_t n = 1; n <= count; ++n) {
    const std::string number = std::to_string(n);
    const std::string& url = urls[size_t(n)];
    if (url.empty() && !lists[size_t(n)].empty())
      return "section " + name + " has list" + number + " but no url" + number;
    if (url.empty()) continue;
    const auto [at, fresh] = first.emplace(url, n);
    if (!fresh)
      return "section " + name + " names the address of url" + std::to_string(at->second) + " again in url" + number;
  }
  return "";
}

// In one save: a reader at the same time sees the subscriptions as they were or as they are.
bool WriteWebSubscriptions(const std::string& ini_file, const std::vector<WebSubscription>& subscriptions) {
  const int32_t old_count = platform::ReadProfileSection(ini_file, kWebListsSection).Int("count");
  std::vector<std::pair<std::string, std::string>> values;
  for (size_t n = 1; n <= subscriptions.size(); ++n) {
    values.emplace_back(Key("url", n), subscriptions[n - 1].url);
    values.emplace_back(Key("list", n), subscriptions[n - 1].list);
  }
  values.emplace_back("count", std::to_string(subscriptions.size()));
  std::vector<std::string> removed;
  for (size_t n = subscriptions.size() + 1; int64_t(n) <= std::min<int64_t>(old_count, kMostWebLists); ++n) {
    removed.push_back(Key("url", n));
    removed.push_back(Key("list", n));
  }
  return platform::WriteProfileStrings(ini_file, kWebListsSection, values, removed);
}

std::string SubscriptionText(const WebSubscription& subscription) {
  return subscription.url + " > " + (subscription.list.empty() ? "?" : subscription.list);
}

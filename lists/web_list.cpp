#include "lists/web_list.h"

#include <algorithm>
#include <optional>

#include "elements/strings/name_letter.h"
#include "elements/strings/str_case.h"
#include "elements/strings/trim.h"
#include "runtime/platform/idna.h"
#include "runtime/utf8.h"

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (!IsAsciiDigit(c)) return false;
  return true;
}

// One label of a host name: letters, digits, "-", "_", or UTF-8 letters of any script.
// The longest label and name the DNS holds, in bytes of their ASCII form.
constexpr size_t kLongestLabel = 63;
constexpr size_t kLongestName = 253;

bool IsLabel(std::string_view label) {
  if (label.empty() || label.front() == '-' || label.back() == '-') return false;
  for (size_t i = 0; i < label.size();) {
    const unsigned char c = static_cast<unsigned char>(label[i]);
    if (c < 0x80) {
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsAsciiDigit(char(c)) || c == '-' || c == '_'))
        return false;
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceAt(label, i);
    if (length == 0 || !IsNameLetter(DecodeUtf8(label, i, length))) return false;
    i += length;
  }
  return true;
}

// The host name of the characters "||" and "^" enclose; the options behind "$" all
// mean a block of the whole host.
bool OptionsBlockTheHost(std::string_view options) {
  while (true) {
    const size_t comma = options.find(',');
    const std::string_view option = options.substr(0, comma);
    if (option != "all" && option != "doc" && option != "document" && option != "important") return false;
    if (comma == std::string_view::npos) return true;
    options.remove_prefix(comma + 1);
  }
}

// A name that is a record, lower-cased, is appended.
bool AppendIfName(std::string_view name, RecordList& records) {
  if (IsPlainLowerCase(name)) {
    if (!IsWebListName(name)) return false;
    records.push_back(name);
    return true;
  }
  const std::string lowered = LowerCaseText(std::string(name));
  if (!IsWebListName(lowered)) return false;
  records.push_back(lowered);
  return true;
}

size_t FilterRuleRecords(std::string_view rule, RecordList& records) {
  rule.remove_prefix(2);
  const size_t caret = rule.find('^');
  if (caret == std::string_view::npos) return 0;
  const std::string_view rest = rule.substr(caret + 1);
  if (!rest.empty() && !(rest.front() == '$' && OptionsBlockTheHost(rest.substr(1)))) return 0;
  return AppendIfName(rule.substr(0, caret), records) ? 1 : 0;
}

size_t HostsLineRecords(std::string_view line, RecordList& records) {
  line = line.substr(0, line.find('#'));
  size_t given = 0;
  bool first = true;
  for (size_t at = 0; at < line.size();) {
    if (IsBlank(line[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    const std::string_view token = line.substr(at, end - at);
    at = end;
    if (first) {
      if (!IsDottedIpv4(token) && !IsIpv6(token)) return 0;
      first = false;
      continue;
    }
    if (AppendIfName(token, records)) ++given;
  }
  return given;
}

size_t PlainLineRecords(std::string_view line, RecordList& records) {
  const size_t scheme_end = line.find("://");
  if (scheme_end == std::string_view::npos) return AppendIfName(line, records) ? 1 : 0;
  const std::string_view scheme = line.substr(0, scheme_end);
  if (scheme.empty() || !((scheme[0] >= 'a' && scheme[0] <= 'z') || (scheme[0] >= 'A' && scheme[0] <= 'Z'))) return 0;
  for (char c : scheme) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return 0;
  }
  const std::string_view after = line.substr(scheme_end + 3);
  std::string_view host = after.substr(0, after.find('/'));
  if (const size_t colon = host.find(':'); colon != std::string_view::npos) {
    const std::string_view port = host.substr(colon + 1);
    if (port.empty() || !AllDigits(port)) return 0;
    host = host.substr(0, colon);
  }
  return AppendIfName(host, records) ? 1 : 0;
}

}  // namespace

bool IsDottedIpv4(std::string_view text) {
  int parts = 0;
  while (true) {
    const size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    if (part.empty() || part.size() > 3 || !AllDigits(part)) return false;
    int value = 0;
    for (char c : part) value = value * 10 + (c - '0');
    if (value > 255) return false;
    ++parts;
    if (dot == std::string_view::npos) return parts == 4;
    if (parts == 4) return false;
    text.remove_prefix(dot + 1);
  }
}

bool IsIpv6(std::string_view text) {
  // A zone ("%lo0", "%eth0") may follow a link-local address.
  text = text.substr(0, text.find('%'));
  if (text.find(':') == std::string_view::npos) return false;
  const size_t gap = text.find("::");
  if (gap != std::string_view::npos && text.find("::", gap + 1) != std::string_view::npos) return false;
  // The groups on one side of "::" (or of the whole address): 1 to 4 hex digits each, and the
  // last one of the address may be a dotted IPv4 address, which stands for two.
  const auto groups = [](std::string_view side, bool last_side, int& count) {
    if (side.empty()) return true;
    while (true) {
      const size_t colon = side.find(':');
      const std::string_view group = side.substr(0, colon);
      if (colon == std::string_view::npos && last_side && group.find('.') != std::string_view::npos) {
        if (!IsDottedIpv4(group)) return false;
        count += 2;
        return true;
      }
      if (group.empty() || group.size() > 4) return false;
      for (char c : group)
        if (!IsHexDigit(c)) return false;
      ++count;
      if (colon == std::string_view::npos) return true;
      side.remove_prefix(colon + 1);
    }
  };
  int count = 0;
  if (gap == std::string_view::npos) return groups(text, true, count) && count == 8;
  return groups(text.substr(0, gap), false, count) && groups(text.substr(gap + 2), true, count) && count <= 7;
}

bool IsWebListName(std::string_view name) {
  if (name.find('.') == std::string_view::npos || name == "localhost.localdomain") return false;
  const std::string_view last_label = name.substr(name.rfind('.') + 1);
  if (!last_label.empty() && AllDigits(last_label)) return IsDottedIpv4(name) && name != "0.0.0.0";
  bool ascii = true;
  for (std::string_view rest = name;;) {
    const size_t dot = rest.find('.');
    const std::string_view label = rest.substr(0, dot);
    if (!IsLabel(label)) return false;
    ascii =
        ascii && std::all_of(label.begin(), label.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && label.size() > kLongestLabel) return false;
    if (dot == std::string_view::npos) break;
    rest.remove_prefix(dot + 1);
  }
  if (ascii) return name.size() <= kLongestName;
  // Resolvers hold a name in its ASCII form, whose labels and length decide.
  const std::optional<std::string> encoded = platform::AsciiDomainName(name);
  return encoded && encoded->size() <= kLongestName;
}

size_t AppendLineRecords(std::string_view line, RecordList& records) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == '#' || line.front() == '!') return 0;
  if (line.front() == '[' && line.back() == ']') return 0;
  if (line.starts_with("||")) return FilterRuleRecords(line, records);
  for (char c : line)
    if (IsBlank(c)) return HostsLineRecords(line, records);
  return PlainLineRecords(line, records);
}

bool NamesNoHost(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() == '#' || line.front() == '!') return true;
  if (line.front() == '[' && line.back() == ']') return true;
  if (line.starts_with("||") || line.find_first_of(" \t") == std::string_view::npos) return false;
  line = line.substr(0, line.find('#'));
  size_t names = 0;
  for (size_t at = 0; at < line.size();) {
    if (IsBlank(line[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    const std::string_view token = line.substr(at, end - at);
    at = end;
    if (names++ == 0) {
      if (!IsDottedIpv4(token) && !IsIpv6(token)) return false;
      continue;
    }
    const std::string name = LowerCaseText(std::string(token));
    if (name.find('.') != std::string::npos && name != "localhost.localdomain" && name != "0.0.0.0") return false;
  }
  return names > 1;
}

void KeepNewRecords(WebListReading& reading, const std::vector<bool>& held) {
  const size_t given = reading.records.size();
  // The texts stay in the buffer: copying the rest out would hold them twice for a moment.
  reading.records.KeepIf([&](size_t i) { return !held[i]; });
  reading.known += given - reading.records.size();
}

std::string WebListSummary(size_t fresh, size_t known, size_t repeated, size_t skipped) {
  return std::to_string(fresh) + " new, " + std::to_string(known) + " known, " + std::to_string(repeated) +
         " repeated, " + std::to_string(skipped) + " skipped";
}

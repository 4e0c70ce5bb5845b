// The target readers written the way the program's rules state them, step by step and
// quadratic where the rules are: the reference the fuzz harnesses check the streaming readers
// against. Files are whole texts here, split into lines at once.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strings/replace.h"

namespace literal {

using Lines = std::vector<std::string>;

inline bool Contains(std::string_view line, std::string_view part) { return line.find(part) != std::string_view::npos; }

inline std::string Trim(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.erase(text.begin());
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
  return text;
}

// The text up to a NUL, split at CR LF, CR and LF; a final break adds no line.
inline Lines SplitAny(std::string text) {
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  Lines lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

inline std::optional<std::string> WithoutDots(std::string text) {
  while (!text.empty() && text.front() == '.') text.erase(text.begin());
  while (!text.empty() && text.back() == '.') text.pop_back();
  if (!Contains(text, ".")) return std::nullopt;
  return text;
}

// The clean-up steps in their order.
inline std::optional<std::string> CleanTagged(std::string line, const std::string& tag) {
  line = ReplaceAll(line, tag, ".");
  line = ReplaceAll(line, "</variable>", ".");
  for (char c : std::string("*?/\\[]()")) line.erase(std::remove(line.begin(), line.end(), c), line.end());
  return WithoutDots(Trim(line));
}

struct Extracted {
  Lines addresses;
  std::optional<size_t> insert;
};

inline Extracted Kwf(const Lines& lines) {
  Extracted out;
  size_t i = 0;
  while (i < lines.size() && !Contains(lines[i], "<list name=\"UrlGroups\">")) ++i;
  if (i == lines.size()) return out;
  Lines collected;
  for (size_t j = i; j < lines.size(); ++j) {
    if (Contains(lines[j], "<variable name=\"Url\">")) collected.push_back(lines[j]);
    if (Contains(lines[j], "</list>")) {
      out.insert = j;
      break;
    }
  }
  for (const auto& line : collected)
    if (auto a = CleanTagged(line, "<variable name=\"Url\">")) out.addresses.push_back(*a);
  // A list opened and closed on one line has no place for entries inside it.
  if (out.insert == i) out.insert.reset();
  return out;
}

inline Extracted Kpf(const Lines& lines) {
  Extracted out;
  std::optional<size_t> opening;
  std::vector<size_t> noted;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Contains(lines[i], "<listitem>")) opening = i;
    if (Contains(lines[i], "</listitem>") && opening && i - *opening == 2) noted.push_back(i - 1);
    if (Contains(lines[i], "</list>")) out.insert = i;
  }
  for (size_t n : noted)
    if (Contains(lines[n], "ServerPartUri"))
      if (auto a = CleanTagged(lines[n], "<variable name=\"ServerPartUri\">")) out.addresses.push_back(*a);
  return out;
}

inline Extracted Aof(const Lines& lines) {
  Extracted out;
  struct Kept {
    std::string text;
    size_t line;
  };
  std::vector<Kept> non_empty;
  for (size_t i = 0; i < lines.size(); ++i)
    if (std::string t = Trim(lines[i]); !t.empty()) non_empty.push_back({t, i});
  size_t k = 0;
  while (k < non_empty.size() && !Contains(non_empty[k].text, "[Content\\Sites]")) ++k;
  if (k == non_empty.size()) return out;
  for (size_t m = k + 1; m < non_empty.size() && !Contains(non_empty[m].text, "["); ++m)
    if (auto a = WithoutDots(non_empty[m].text)) out.addresses.push_back(*a);
  out.insert = lines.size();
  for (size_t j = non_empty[k].line + 1; j < lines.size(); ++j) {
    if (Contains(lines[j], "[")) {
      out.insert = j;
      break;
    }
  }
  return out;
}

// The hosts file: kept lines (trimmed mapping lines) and the names they map.
struct Hosts {
  Lines kept, names;
};
// The program's banner on top of a hosts file it wrote: these eighteen lines, the count and
// the date lines with any digits (and dots) behind their words.
inline bool IsBannerLine(size_t n, const std::string& line) {
  const std::string rule = "#" + std::string(63, '=');
  const std::string fixed[18] = {rule,
                                 "#",
                                 "#                -=Created with Veltrane=-",
                                 "#",
                                 "#",
                                 "#                  Powered by www.veltrane.org",
                                 "#",
                                 "#                               URL:",
                                 "#",
                                 "#     https://www.veltrane.org/support",
                                 "#",
                                 "#",
                                 "#",
                                 "",
                                 "#",
                                 "",
                                 "#",
                                 rule};
  const auto digits_after = [&](const std::string& words, const std::string& allowed) {
    if (line.size() <= words.size() || line.compare(0, words.size(), words) != 0) return false;
    return line.find_first_not_of(allowed, words.size()) == std::string::npos;
  };
  if (n == 13) return digits_after("#                    Number of URL Records: ", "0123456789");
  if (n == 15) return digits_after("#                           ", "0123456789.");
  return line == fixed[n];
}

// Every line is kept as it is but the banner on top (and the empty line below it); the names
// are those of the lines that are neither empty nor comments.
inline Hosts HostsFile(Lines lines) {
  Hosts out;
  if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0) lines[0].erase(0, 3);
  size_t first = 0;
  if (lines.size() >= 18) {
    bool banner = true;
    for (size_t n = 0; n < 18; ++n) banner = banner && IsBannerLine(n, lines[n]);
    if (banner) first = lines.size() > 18 && lines[18].empty() ? 19 : 18;
  }
  for (size_t i = first; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    out.kept.push_back(line);
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    std::string mapping = t.substr(0, t.find('#'));
    Lines fields;
    std::string field;
    for (char c : mapping + " ") {
      if (static_cast<unsigned char>(c) <= 32) {
        if (!field.empty()) fields.push_back(field);
        field.clear();
      } else {
        field += c;
      }
    }
    for (size_t f = 1; f < fields.size(); ++f) out.names.push_back(fields[f]);
  }
  return out;
}

}  // namespace literal

// The web-list rules written the way they are stated, one bullet after the other, with no
// index and no cleverness: the reference the program's reader is checked against.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "elements/strings/name_letter.h"
#include "elements/strings/str_case.h"
#include "runtime/platform/idna.h"
#include "runtime/utf8.h"

namespace literal {

inline std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

inline bool Digits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

inline bool Ipv4(const std::string& text) {
  const std::vector<std::string> parts = SplitAt(text, '.');
  if (parts.size() != 4) return false;
  for (const auto& part : parts)
    if (!Digits(part) || part.size() > 3 || std::stoi(part) > 255) return false;
  return true;
}

inline bool HexGroup(const std::string& text) {
  if (text.empty() || text.size() > 4) return false;
  for (char c : text)
    if (std::string("0123456789abcdefABCDEF").find(c) == std::string::npos) return false;
  return true;
}

inline bool Ipv6(std::string text) {
  if (const size_t zone = text.find('%'); zone != std::string::npos) text.erase(zone);
  if (text.find(':') == std::string::npos) return false;
  int extra = 0;  // a dotted IPv4 address at the end stands for two groups
  if (const size_t last_colon = text.rfind(':'); text.find('.', last_colon) != std::string::npos) {
    if (!Ipv4(text.substr(last_colon + 1))) return false;
    text = text.substr(0, last_colon + 1) + "0";
    extra = 1;
  }
  const size_t gap = text.find("::");
  if (gap == std::string::npos) {
    const std::vector<std::string> groups = SplitAt(text, ':');
    for (const auto& g : groups)
      if (!HexGroup(g)) return false;
    return int(groups.size()) + extra == 8;
  }
  if (text.find("::", gap + 1) != std::string::npos) return false;
  int count = extra;
  for (const std::string& side : {text.substr(0, gap), text.substr(gap + 2)}) {
    if (side.empty()) continue;
    for (const auto& g : SplitAt(side, ':')) {
      if (!HexGroup(g)) return false;
      ++count;
    }
  }
  return count <= 7;
}

inline bool HostName(const std::string& name) {
  if (name.find('.') == std::string::npos) return false;
  if (name == "localhost.localdomain") return false;
  const std::vector<std::string> labels = SplitAt(name, '.');
  if (Digits(labels.back())) return Ipv4(name) && name != "0.0.0.0";
  bool ascii = true;
  for (const auto& label : labels) {
    if (label.empty() || label.front() == '-' || label.back() == '-') return false;
    for (char c : label) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && label.size() > 63) return false;
    size_t i = 0;
    while (i < label.size()) {
      const char c = label[i];
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
        i += 1;
      } else {
        const size_t n = Utf8SequenceAt(label, i);
        if (n < 2 || !IsNameLetter(DecodeUtf8(label, i, n))) return false;
        i += n;
      }
    }
  }
  if (ascii) return name.size() <= 253;
  const std::optional<std::string> encoded = platform::AsciiDomainName(name);
  return encoded && encoded->size() <= 253;
}

inline std::string Trimmed(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32 && text.back() != 0) text.pop_back();
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32 && text.front() != 0) text.erase(0, 1);
  return text;
}

// The records one line gives, in order.
inline std::vector<std::string> WebLineRecords(const std::string& raw) {
  std::vector<std::string> records;
  const auto take = [&records](const std::string& name) {
    const std::string lowered = LowerCaseText(name);
    if (HostName(lowered)) records.push_back(lowered);
  };
  const std::string line = Trimmed(raw);
  // Comment and header lines.
  if (line.empty() || line[0] == '#' || line[0] == '!') return records;
  if (line[0] == '[' && line[line.size() - 1] == ']') return records;
  // Filter-list line.
  if (line.size() >= 2 && line[0] == '|' && line[1] == '|') {
    const size_t caret = line.find('^');
    if (caret == std::string::npos) return records;
    const std::string after = line.substr(caret + 1);
    if (!after.empty()) {
      if (after[0] != '$') return records;
      for (const auto& option : SplitAt(after.substr(1), ','))
        if (option != "all" && option != "doc" && option != "document" && option != "important") return records;
    }
    take(line.substr(2, caret - 2));
    return records;
  }
  // Hosts line.
  if (line.find(' ') != std::string::npos || line.find('\t') != std::string::npos) {
    std::string kept = line.substr(0, line.find('#'));
    for (char& c : kept)
      if (c == '\t') c = ' ';
    std::vector<std::string> tokens;
    for (const auto& t : SplitAt(kept, ' '))
      if (!t.empty()) tokens.push_back(t);
    if (tokens.empty() || !(Ipv4(tokens[0]) || Ipv6(tokens[0]))) return records;
    for (size_t i = 1; i < tokens.size(); ++i) take(tokens[i]);
    return records;
  }
  // Plain line: a web address, or a host name alone.
  const size_t scheme_end = line.find("://");
  if (scheme_end == std::string::npos) {
    take(line);
    return records;
  }
  const std::string scheme = line.substr(0, scheme_end);
  if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme[0]))) return records;
  for (char c : scheme)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.')) return records;
  std::string host = line.substr(scheme_end + 3);
  host = host.substr(0, host.find('/'));
  if (host.find(':') != std::string::npos) {
    if (!Digits(host.substr(host.find(':') + 1))) return records;
    host = host.substr(0, host.find(':'));
  }
  take(host);
  return records;
}

// Whether a line is no attempt to name a host, so that giving nothing is not counted as
// skipped: a blank line, a comment, a header, or a hosts line whose names are all names of
// the machine itself (no dot, "localhost.localdomain", "0.0.0.0").
inline bool NoAttemptAtAHost(const std::string& raw) {
  const std::string line = Trimmed(raw);
  if (line.empty() || line[0] == '#' || line[0] == '!') return true;
  if (line[0] == '[' && line[line.size() - 1] == ']') return true;
  if (line.size() >= 2 && line[0] == '|' && line[1] == '|') return false;
  if (line.find(' ') == std::string::npos && line.find('\t') == std::string::npos) return false;
  std::string kept = line.substr(0, line.find('#'));
  for (char& c : kept)
    if (c == '\t') c = ' ';
  std::vector<std::string> tokens;
  for (const auto& t : SplitAt(kept, ' '))
    if (!t.empty()) tokens.push_back(t);
  if (tokens.size() < 2 || !(Ipv4(tokens[0]) || Ipv6(tokens[0]))) return false;
  for (size_t i = 1; i < tokens.size(); ++i) {
    const std::string name = LowerCaseText(tokens[i]);
    if (name.find('.') != std::string::npos && name != "localhost.localdomain" && name != "0.0.0.0") return false;
  }
  return true;
}

struct WebListReading {
  std::vector<std::string> records;
  size_t known = 0, repeated = 0, skipped = 0;
};

inline WebListReading ReadWebList(const std::vector<std::string>& lines, const std::vector<std::string>& known) {
  WebListReading reading;
  const std::set<std::string> in_a_list(known.begin(), known.end());
  std::set<std::string> seen;
  for (const auto& line : lines) {
    const std::vector<std::string> records = WebLineRecords(line);
    if (records.empty() && !NoAttemptAtAHost(line)) ++reading.skipped;
    for (const auto& record : records) {
      if (!seen.insert(record).second) {
        ++reading.repeated;
        continue;
      }
      if (in_a_list.count(record)) ++reading.known;
      else reading.records.push_back(record);
    }
  }
  return reading;
}

// A list's bytes read whole, one byte after the other: what it gives, or why it is refused
// (`refused`, as the reader words it), for a download or a file, with the limits given.
struct ByteReading {
  std::string refused;
  WebListReading reading;
};

inline std::string SizeWords(size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

inline ByteReading ReadWebBytes(const std::string& bytes, const std::vector<std::string>& known, bool download,
                                size_t most_records, size_t longest_line) {
  ByteReading result;
  if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
    result.refused = "is no text list: it is UTF-16 text";
    return result;
  }
  const size_t nul = bytes.find('\0');
  std::string text = bytes.substr(0, nul);
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  // The lines a line break ended, and the one the text ends inside.
  std::vector<std::string> ended;
  std::string open;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && i > 0 && text[i - 1] == '\r') continue;
    if (text[i] == '\r' || text[i] == '\n') {
      ended.push_back(open);
      open.clear();
    } else {
      open += text[i];
    }
  }
  if (nul == std::string::npos && !open.empty()) {
    ended.push_back(open);
    open.clear();
  }
  const std::set<std::string> in_a_list(known.begin(), known.end());
  std::set<std::string> seen;
  bool text_seen = false;
  WebListReading& reading = result.reading;
  for (size_t n = 0; n < ended.size(); ++n) {
    const std::string& line = ended[n];
    if (line.size() > longest_line) {
      result.refused = "has a line longer than " + SizeWords(longest_line) + " (line " + std::to_string(n + 1) +
                       "), which no block list has";
      return {result.refused, {}};
    }
    const std::string trimmed = Trimmed(line);
    if (download && !text_seen && !trimmed.empty()) {
      text_seen = true;
      for (const std::string page : {"<!doctype", "<html"}) {
        if (trimmed.size() >= page.size() && LowerCaseText(trimmed.substr(0, page.size())) == page) {
          result.refused = "is a web page, not a list: it begins with \"" + trimmed.substr(0, page.size()) + "\"";
          return {result.refused, {}};
        }
      }
    }
    const std::vector<std::string> records = WebLineRecords(line);
    if (records.empty() && !NoAttemptAtAHost(line)) ++reading.skipped;
    for (const auto& record : records) {
      if (!seen.insert(record).second) {
        ++reading.repeated;
        continue;
      }
      if (seen.size() > most_records) {
        result.refused =
            "gives more than " + std::to_string(most_records) + " different names, more than any block list holds";
        return {result.refused, {}};
      }
      if (in_a_list.count(record)) ++reading.known;
      else reading.records.push_back(record);
    }
  }
  if (nul == std::string::npos) return result;
  if (open.size() > longest_line) {
    result.refused = "has a line longer than " + SizeWords(longest_line) + " (line " +
                     std::to_string(ended.size() + 1) + "), which no block list has";
  } else {
    result.refused = "is no text list: it holds a NUL byte at byte " + std::to_string(nul + 1);
  }
  return {result.refused, {}};
}

}  // namespace literal

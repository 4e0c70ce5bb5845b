// Every call reads the whole file, works on views of its lines and, for changes,
// writes the whole file back at once; nothing is cached between calls.
#include "runtime/platform/profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/data.h"
#include "runtime/platform/files.h"
#include "runtime/text_case.h"

namespace platform {
namespace {

using Lines = std::vector<std::string_view>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A line ends at CR LF, LF or CR; a final line break adds no empty line.
Lines SplitAnyBreak(std::string_view bytes) {
  Lines lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// True for a section header; `name` is then the trimmed text between "[" and "]".
bool SectionHeader(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  name = Trim(line.substr(0, line.find(']')));
  return true;
}

bool IsSectionHeader(std::string_view line) {
  std::string_view ignored;
  return SectionHeader(line, ignored);
}

// True for a key line (one with "="); `key` is the trimmed text before the first "=".
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = line.substr(eq + 1);
  return true;
}

bool IsKey(std::string_view line, std::string_view wanted) {
  std::string_view key, value;
  return KeyLine(line, key, value) && FoldedEqual(key, wanted);
}

// The lines of one section: the header at `header`, its body up to (not including) `end`.
struct Section {
  size_t header = 0;
  size_t end = 0;
};

std::optional<Section> FindSection(const Lines& lines, std::string_view wanted, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i) {
    std::string_view name;
    if (!SectionHeader(lines[i], name) || !FoldedEqual(name, wanted)) continue;
    Section section{i, i + 1};
    while (section.end < lines.size() && !IsSectionHeader(lines[section.end])) ++section.end;
    return section;
  }
  return std::nullopt;
}

std::string CleanValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  value = value.substr(0, value.find('\0'));
  return std::string(value.substr(0, kProfileValueMax));
}

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

bool ValidSection(std::string_view section) {
  return !section.empty() && section.find(']') == section.npos && !HasLineBreakOrNul(section);
}

bool ValidKey(std::string_view key) {
  return !key.empty() && key.front() != '[' && key.find('=') == key.npos && !HasLineBreakOrNul(key);
}

bool Refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return false;
}

// The current content for a change: empty for a file that does not exist yet; nothing,
// with the reason, when the file cannot be changed or read, so that it is never replaced
// by a stub.
std::optional<std::string> ContentForChange(const std::string& file, std::string* why) {
  if (!IsFile(file)) {
    if (IsDirectory(file)) {
      Refuse(why, std::strerror(EISDIR));
      return std::nullopt;
    }
    return std::string();
  }
  if (IsReadOnlyFile(file)) {
    Refuse(why, std::strerror(EACCES));
    return std::nullopt;
  }
  FileContent content = ReadWholeFile(file);
  switch (content.result) {
    case FileContent::Result::Read: return std::move(content.bytes);
    case FileContent::Result::Unreadable: Refuse(why, content.why); break;
    case FileContent::Result::Missing: Refuse(why, std::strerror(ENOENT)); break;  // gone since it was looked at
  }
  return std::nullopt;
}

constexpr const char* kBadName = "a section or key name the file cannot hold";

bool Save(const std::string& file, const Lines& lines, std::string* why) {
  size_t size = 0;
  for (const auto line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto line : lines) {
    bytes.append(line);
    bytes += "\r\n";
  }
  return WriteFileAtomic(file, bytes, why);
}

}  // namespace

namespace {
ProfileReadTrouble g_read_trouble;
}  // namespace

void SetProfileReadTrouble(ProfileReadTrouble tell) { g_read_trouble = std::move(tell); }

std::optional<std::string> FindProfileString(const std::string& file, const std::string& section,
                                             const std::string& key) {
  const std::string_view wanted_section = Trim(section);
  const std::string_view wanted_key = Trim(key);
  if (wanted_key.empty()) return std::nullopt;
  const FileContent content = ReadWholeFile(file);
  if (content.result == FileContent::Result::Unreadable && g_read_trouble) g_read_trouble(file, content.why);
  if (content.result != FileContent::Result::Read) return std::nullopt;
  const Lines lines = SplitAnyBreak(content.bytes);
  const auto found = FindSection(lines, wanted_section);
  if (!found) return std::nullopt;
  for (size_t i = found->header + 1; i < found->end; ++i) {
    std::string_view name, value;
    if (KeyLine(lines[i], name, value) && FoldedEqual(name, wanted_key)) return CleanValue(value);
  }
  return std::nullopt;
}

ProfileSection ReadProfileSection(const std::string& file, const std::string& section) {
  ProfileSection read;
  const FileContent content = ReadWholeFile(file);
  if (content.result == FileContent::Result::Unreadable && g_read_trouble) g_read_trouble(file, content.why);
  if (content.result != FileContent::Result::Read) return read;
  const Lines lines = SplitAnyBreak(content.bytes);
  const std::string_view wanted = Trim(section);
  for (auto found = FindSection(lines, wanted); found; found = FindSection(lines, wanted, found->end)) {
    if (read.copies++ > 0) continue;
    for (size_t i = found->header + 1; i < found->end; ++i) {
      std::string_view name, value;
      if (!KeyLine(lines[i], name, value) || name.empty()) continue;
      const bool seen = std::any_of(read.keys.begin(), read.keys.end(),
                                    [name](const auto& key) { return FoldedEqual(key.first, name); });
      if (!seen) read.keys.emplace_back(std::string(name), CleanValue(value));
    }
  }
  return read;
}

std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key) {
  return FindProfileString(file, section, key).value_or(std::string());
}

int32_t ReadProfileInt(const std::string& file, const std::string& section, const std::string& key) {
  return TextToInteger(Trim(ReadProfileString(file, section, key)));
}

std::string ProfileSection::String(std::string_view key) const {
  const std::string_view wanted = Trim(key);
  for (const auto& [name, value] : keys)
    if (FoldedEqual(name, wanted)) return value;
  return {};
}

int32_t ProfileSection::Int(std::string_view key) const { return TextToInteger(Trim(String(key))); }

bool WriteProfileStrings(const std::string& file, const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& values,
                         const std::vector<std::string>& removed, std::string* why) {
  const std::string_view name = Trim(section);
  if (!ValidSection(name)) return Refuse(why, kBadName);
  for (const auto& [key, value] : values)
    if (!ValidKey(Trim(key))) return Refuse(why, kBadName);
  const auto bytes = ContentForChange(file, why);
  if (!bytes) return false;
  Lines lines = SplitAnyBreak(*bytes);
  std::deque<std::string> made;  // the lines changed, which `lines` refers to
  for (const auto& [key, value] : values) {
    const std::string_view key_name = Trim(key);
    std::string_view new_value = value;
    new_value = new_value.substr(0, new_value.find_first_of(std::string_view("\r\n\0", 3)));
    const auto found = FindSection(lines, name);
    if (!found) {
      lines.push_back(made.emplace_back("[" + std::string(name) + "]"));
      lines.push_back(made.emplace_back(std::string(key_name) + "=" + std::string(new_value)));
      continue;
    }
    bool set = false;
    for (size_t i = found->header + 1; i < found->end && !set; ++i) {
      std::string_view existing, old_value;
      if (!KeyLine(lines[i], existing, old_value) || !FoldedEqual(existing, key_name)) continue;
      lines[i] = made.emplace_back(std::string(existing) + "=" + std::string(new_value));
      set = true;
    }
    if (set) continue;
    size_t at = found->end;
    while (at > found->header + 1 && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + std::ptrdiff_t(at),
                 made.emplace_back(std::string(key_name) + "=" + std::string(new_value)));
  }
  for (const std::string& key : removed) {
    const std::string_view key_name = Trim(key);
    const auto found = FindSection(lines, name);
    if (!found || key_name.empty()) continue;
    size_t end = found->end;
    for (size_t i = found->header + 1; i < end;) {
      if (IsKey(lines[i], key_name)) {
        lines.erase(lines.begin() + std::ptrdiff_t(i));
        --end;
      } else {
        ++i;
      }
    }
  }
  return Save(file, lines, why);
}

bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value, std::string* why) {
  const std::string_view name = Trim(section);
  const std::string_view key_name = Trim(key);
  if (!ValidSection(name) || !ValidKey(key_name)) return Refuse(why, kBadName);
  const auto bytes = ContentForChange(file, why);
  if (!bytes) return false;

  std::string_view new_value = value;
  new_value = new_value.substr(0, new_value.find_first_of(std::string_view("\r\n\0", 3)));
  Lines lines = SplitAnyBreak(*bytes);
  const auto found = FindSection(lines, name);
  std::string key_line;
  if (!found) {
    std::string header = "[";
    header.append(name).append("]");
    key_line.append(key_name).append("=").append(new_value);
    lines.push_back(header);
    lines.push_back(key_line);
    return Save(file, lines, why);
  }
  for (size_t i = found->header + 1; i < found->end; ++i) {
    std::string_view existing, old_value;
    if (!KeyLine(lines[i], existing, old_value) || !FoldedEqual(existing, key_name)) continue;
    // The key keeps the spelling the file gives it; only its value changes.
    key_line = std::string(existing) + "=" + std::string(new_value);
    lines[i] = key_line;
    return Save(file, lines, why);
  }
  // A new key joins the section's last entry, before any blank lines that separate it from the next.
  size_t at = found->end;
  while (at > found->header + 1 && Trim(lines[at - 1]).empty()) --at;
  key_line = std::string(key_name) + "=" + std::string(new_value);
  lines.insert(lines.begin() + std::ptrdiff_t(at), key_line);
  return Save(file, lines, why);
}

bool DeleteProfileKey(const std::string& file, const std::string& section, const std::string& key, std::string* why) {
  const std::string_view name = Trim(section);
  const std::string_view key_name = Trim(key);
  if (!IsFile(file)) return true;
  const auto bytes = ContentForChange(file, why);
  if (!bytes) return false;
  Lines lines = SplitAnyBreak(*bytes);
  const auto found = FindSection(lines, name);
  if (!found || key_name.empty()) return true;
  Lines kept;
  kept.reserve(lines.size());
  bool removed = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > found->header && i < found->end && IsKey(lines[i], key_name)) {
      removed = true;
      continue;
    }
    kept.push_back(lines[i]);
  }
  return removed ? Save(file, kept, why) : true;
}

bool EraseProfileSection(const std::string& file, const std::string& section, std::string* why) {
  const std::string_view name = Trim(section);
  if (!IsFile(file)) return true;
  const auto bytes = ContentForChange(file, why);
  if (!bytes) return false;
  const Lines lines = SplitAnyBreak(*bytes);
  Lines kept;
  kept.reserve(lines.size());
  bool removed = false;
  size_t next = 0;
  for (auto found = FindSection(lines, name); found; found = FindSection(lines, name, found->end)) {
    kept.insert(kept.end(), lines.begin() + std::ptrdiff_t(next), lines.begin() + std::ptrdiff_t(found->header));
    next = found->end;
    removed = true;
  }
  if (!removed) return true;
  kept.insert(kept.end(), lines.begin() + std::ptrdiff_t(next), lines.end());
  return Save(file, kept, why);
}

}  // namespace platform

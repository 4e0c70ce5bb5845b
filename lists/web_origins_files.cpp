#include "lists/web_origins_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>

#include "lists/list_files.h"
#include "runtime/platform/files.h"

namespace {

constexpr std::string_view kHeldHead = "# Veltrane: the names of the web list ";
constexpr std::string_view kFiledHead = "# Veltrane: the names the web lists filed, by list and subscription";

std::string CountLine(size_t count) { return "# " + std::to_string(count) + " names"; }

// FNV-1a: stable across builds and platforms, as a file name must be.
uint64_t AddressHash(std::string_view url) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (char c : url) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return h;
}

// Reads the whole file into `file`; the lines between its first and its last line, which are
// given back; nothing (the file's state set) when it is missing, unreadable or has no such
// frame: the first line is `head` and the last counts the names between (the lines that are
// no "#" line).
std::optional<std::vector<std::string_view>> FramedLines(const std::string& path, std::string_view head,
                                                         OriginFile& file) {
  platform::FileContent content = platform::ReadWholeFile(path);
  if (content.result == platform::FileContent::Result::Missing) return std::nullopt;
  file.state = OriginFile::State::Damaged;
  if (content.result == platform::FileContent::Result::Unreadable) {
    file.why = "it cannot be read: " + content.why;
    return std::nullopt;
  }
  // The bytes are kept as read, not copied: the file of a million names is read once.
  file.size = content.bytes.size();
  file.bytes = std::move(content.bytes);
  std::vector<std::string_view> lines;
  const std::string_view text(file.bytes.data(), file.size);
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    if (end == std::string_view::npos) {
      file.why = "it ends without a line break, as a file cut short does";
      return std::nullopt;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  if (lines.size() < 2 || lines.front() != head) {
    file.why = "it does not begin as the program writes it";
    return std::nullopt;
  }
  const size_t names =
      size_t(std::count_if(lines.begin() + 1, lines.end() - 1, [](std::string_view l) { return !l.starts_with('#'); }));
  if (lines.back() != CountLine(names)) {
    file.why = "it does not hold the number of names its last line gives";
    return std::nullopt;
  }
  file.state = OriginFile::State::Read;
  lines.pop_back();
  lines.erase(lines.begin());
  return lines;
}

std::optional<ListId> ListOfName(std::string_view name) {
  for (size_t i = 0; i < kListCount; ++i)
    if (name == kLists[i].name) return ListId(i);
  return std::nullopt;
}

bool IsKey(std::string_view key) {
  if (key.size() != 16) return false;
  for (char c : key)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// A name as these files hold it: no line break, no tab, not empty, and not a line of the frame.
bool IsName(std::string_view name) {
  if (name.empty() || name.front() == '#') return false;
  for (const char c : name)
    if (c == '\t' || c == '\r' || c == '\n') return false;
  return true;
}

// The file is written a block at a time as `body` gives its lines: the names of a million
// records are never held as one more text.
bool WriteLines(const std::string& path, std::string_view head, size_t count,
                const std::function<void(BlockLineWriter&)>& body, std::string* why) {
  platform::AtomicFileWriter writer(path);
  BlockLineWriter out(writer, "\n");
  out.Line({head});
  body(out);
  out.Line({CountLine(count)});
  out.Flush();
  return writer.Commit(why);
}

}  // namespace

std::string SubscriptionKey(std::string_view url) {
  char key[17];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(AddressHash(url)));
  return key;
}

std::string SubscriptionNamesPath(const std::string& program_dir, std::string_view url) {
  return program_dir + "Backup\\Web\\names-" + SubscriptionKey(url) + ".txt";
}

std::string FiledNamesPath(const std::string& program_dir) { return program_dir + "Backup\\Web\\filed.txt"; }

HeldNames ReadHeldNames(const std::string& path, std::string_view url) {
  HeldNames held;
  const std::string head = std::string(kHeldHead) + std::string(url);
  std::optional<std::vector<std::string_view>> lines = FramedLines(path, head, held);
  if (!lines) return held;
  for (std::string_view name : *lines) {
    if (!IsName(name)) {
      held.state = OriginFile::State::Damaged;
      held.why = "it holds a line that is no name";
      return held;
    }
  }
  held.names = std::move(*lines);
  return held;
}

bool WriteHeldNames(const std::string& path, std::string_view url, const std::vector<std::string_view>& names,
                    std::string* why) {
  return WriteLines(
      path, std::string(kHeldHead) + std::string(url), names.size(),
      [&names](BlockLineWriter& out) {
        for (std::string_view name : names) out.Line({name});
      },
      why);
}

// The names come in groups, each after a line "# LIST KEY" that names the list they went into
// and the subscription that answers for them: the list and the key are written once a group,
// not once a name.
FiledNames ReadFiledNames(const std::string& path) {
  FiledNames filed;
  std::optional<std::vector<std::string_view>> lines = FramedLines(path, kFiledHead, filed);
  if (!lines) return filed;
  filed.names.reserve(lines->size());
  filed.group_of.reserve(lines->size());
  for (std::string_view line : *lines) {
    if (line.starts_with("# ")) {
      const std::string_view group = line.substr(2);
      const size_t blank = group.find(' ');
      const std::optional<ListId> list =
          blank == std::string_view::npos ? std::nullopt : ListOfName(group.substr(0, blank));
      const std::string_view key = blank == std::string_view::npos ? std::string_view() : group.substr(blank + 1);
      if (list && IsKey(key)) {
        filed.groups.push_back({*list, key});
        continue;
      }
    } else if (!filed.groups.empty() && IsName(line)) {
      filed.names.push_back(line);
      filed.group_of.push_back(uint32_t(filed.groups.size() - 1));
      continue;
    }
    filed.state = OriginFile::State::Damaged;
    filed.why = "it holds a line that is no name with its list and subscription";
    filed.groups.clear();
    filed.names.clear();
    filed.group_of.clear();
    return filed;
  }
  return filed;
}

bool WriteFiledNames(const std::string& path, size_t count, const std::function<void(const FiledNameOut&)>& each,
                     std::string* why) {
  // The groups the entries fall into, in the order they first come; then one pass a group.
  std::vector<std::pair<ListId, std::string>> groups;
  each([&groups](const FiledName& entry) {
    for (const auto& [list, key] : groups)
      if (list == entry.list && key == entry.key) return;
    groups.emplace_back(entry.list, std::string(entry.key));
  });
  return WriteLines(
      path, kFiledHead, count,
      [&](BlockLineWriter& out) {
        for (const auto& [list, key] : groups) {
          out.Line({"# ", Info(list).name, " ", key});
          each([&out, list = list, &key = key](const FiledName& entry) {
            if (entry.list == list && entry.key == key) out.Line({entry.name});
          });
        }
      },
      why);
}

bool WriteFiledNames(const std::string& path, const std::vector<FiledName>& entries, std::string* why) {
  return WriteFiledNames(
      path, entries.size(),
      [&entries](const FiledNameOut& put) {
        for (const FiledName& entry : entries) put(entry);
      },
      why);
}

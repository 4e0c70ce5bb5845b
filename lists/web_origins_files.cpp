#include "lists/web_origins_files.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "runtime/platform/files.h"

namespace {

constexpr std::string_view kHeldHead = "# Veltrane: the names of the web list ";
constexpr std::string_view kFiledHead = "# Veltrane: the names the web lists filed, with their list and subscription";

std::string CountLine(size_t count) { return "# " + std::to_string(count) + " names"; }

// FNV-1a: stable across builds and platforms, as a file name must be.
uint64_t AddressHash(std::string_view url) {
  uint64_t h = 0xcbf29ce484222325ull;
  for (char c : url) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return h;
}

// Reads the whole file into `file`; the lines between its first and its last line, which are
// given back; nothing (the file's state set) when it is missing, unreadable or has no such
// frame: the first line is `head` and the last counts the lines between.
std::optional<std::vector<std::string_view>> FramedLines(const std::string& path, std::string_view head,
                                                         OriginFile& file) {
  platform::FileContent content = platform::ReadWholeFile(path);
  if (content.result == platform::FileContent::Result::Missing) return std::nullopt;
  file.state = OriginFile::State::Damaged;
  if (content.result == platform::FileContent::Result::Unreadable) {
    file.why = "it cannot be read: " + content.why;
    return std::nullopt;
  }
  file.size = content.bytes.size();
  file.bytes = std::make_unique<char[]>(file.size + 1);
  std::memcpy(file.bytes.get(), content.bytes.data(), file.size);
  content.bytes = std::string();
  std::vector<std::string_view> lines;
  const std::string_view text(file.bytes.get(), file.size);
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
  if (lines.back() != CountLine(lines.size() - 2)) {
    file.why = "it does not hold the number of names its last line gives";
    return std::nullopt;
  }
  file.state = OriginFile::State::Read;
  return std::vector<std::string_view>(lines.begin() + 1, lines.end() - 1);
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
  return !name.empty() && name.front() != '#' && name.find_first_of("\t\r\n") == std::string_view::npos;
}

bool WriteLines(const std::string& path, std::string_view head, size_t count,
                const std::function<void(std::string&)>& body, std::string* why) {
  std::string bytes;
  bytes.reserve(count * 32 + 128);
  bytes.append(head).push_back('\n');
  body(bytes);
  bytes.append(CountLine(count)).push_back('\n');
  return platform::WriteFileAtomic(path, bytes, why);
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
      [&names](std::string& bytes) {
        for (std::string_view name : names) bytes.append(name).push_back('\n');
      },
      why);
}

FiledNames ReadFiledNames(const std::string& path) {
  FiledNames filed;
  std::optional<std::vector<std::string_view>> lines = FramedLines(path, kFiledHead, filed);
  if (!lines) return filed;
  filed.entries.reserve(lines->size());
  for (std::string_view line : *lines) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    const std::optional<ListId> list =
        second == std::string_view::npos ? std::nullopt : ListOfName(line.substr(first + 1, second - first - 1));
    const std::string_view name = line.substr(0, first);
    const std::string_view key = second == std::string_view::npos ? std::string_view() : line.substr(second + 1);
    if (!list || !IsName(name) || !IsKey(key)) {
      filed.state = OriginFile::State::Damaged;
      filed.why = "it holds a line that is no name with its list and subscription";
      filed.entries.clear();
      return filed;
    }
    filed.entries.push_back({name, *list, key});
  }
  return filed;
}

bool WriteFiledNames(const std::string& path, const std::vector<FiledName>& entries, std::string* why) {
  return WriteLines(
      path, kFiledHead, entries.size(),
      [&entries](std::string& bytes) {
        for (const FiledName& entry : entries) {
          bytes.append(entry.name).push_back('\t');
          bytes.append(Info(entry.list).name).push_back('\t');
          bytes.append(entry.key).push_back('\n');
        }
      },
      why);
}

// libFuzzer harness for the INI engine and the INI element. The first byte picks the change
// (write through the engine or the element, delete the key, erase the section); the rest is
// file, section, key and value, split by 0x1E. A key written reads back as the plain reading
// says, deleted or erased keys read as missing, every other key as before; a refused change
// leaves the file byte for byte; the same change twice gives the same file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "runtime/ini.h"
#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "runtime/text_case.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// On tmpfs where there is one: the engine flushes its saves to the disk.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    const std::string base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    path = base + "/veltrane-profile-fuzz-" + std::to_string(::getpid());
    std::filesystem::create_directories(path);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& Scratch() {
  static const ScratchFolder folder;
  static const std::string file = folder.path + "/t.ini";
  return file;
}

void Put(const std::string& bytes) { std::ofstream(Scratch(), std::ios::binary | std::ios::trunc) << bytes; }

std::string Content() { return platform::ReadFile(Scratch()).value_or(""); }

// Every (section, key) the file names, in the plain reading of the format.
std::vector<std::pair<std::string, std::string>> NamedKeys(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::string section;
  bool in_section = false;
  size_t start = 0;
  while (start <= text.size() && keys.size() < 64) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    const std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      section = std::string(Trim(trimmed.substr(
          1, trimmed.find(']') == std::string_view::npos ? std::string_view::npos : trimmed.find(']') - 1)));
      in_section = true;
    } else if (in_section && line.find('=') != std::string_view::npos) {
      keys.push_back({section, std::string(Trim(line.substr(0, line.find('='))))});
    }
    if (end == text.size()) break;
    start = end + 1;
  }
  return keys;
}

bool ValidName(std::string_view name, bool is_section) {
  name = Trim(name);
  if (name.empty() || name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  return is_section ? name.find(']') == std::string_view::npos
                    : name.front() != '[' && name.find('=') == std::string_view::npos;
}

// What a value reads back as.
std::string ReadBack(std::string_view value) {
  value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, platform::kProfileValueMax));
}

struct Failure {
  bool failed = false;
  void doFail(TData&, uint16_t) { failed = true; }
};

bool Change(int op, const std::string& section, const std::string& key, const std::string& value) {
  switch (op) {
    case 0: return platform::WriteProfileString(Scratch(), section, key, value);
    case 1: {
      // The element with its names set writes the value that arrives.
      TKXini ini;
      ini.FileName = Scratch();
      ini.Section = section;
      ini.Key = key;
      ini.DataType = 1;
      Failure failure;
      ini.onWriteError = MakeLink<&Failure::doFail>(failure);
      TData arriving = MakeText(value);
      ini.doWrite(arriving, 0);
      return !failure.failed;
    }
    case 2: return platform::DeleteProfileKey(Scratch(), section, key);
    default: return platform::EraseProfileSection(Scratch(), section);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int op = data[0] % 4;
  std::vector<std::string> parts;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  for (size_t at = 0; parts.size() < 4;) {
    const size_t end = bytes.find('\x1E', at);
    parts.emplace_back(bytes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  parts.resize(4);
  const auto& [file, section, key, value] = std::tie(parts[0], parts[1], parts[2], parts[3]);
  // The element takes the arriving value for a name left empty: it is only given names.
  if (op == 1 && (section.empty() || key.empty())) return 0;

  Put(file);
  const std::vector<std::pair<std::string, std::string>> named = NamedKeys(file);
  std::vector<std::optional<std::string>> before;
  for (const auto& [s, k] : named) before.push_back(platform::FindProfileString(Scratch(), s, k));

  const bool valid = ValidName(section, true) && (op == 3 || ValidName(key, false));
  const bool done = Change(op, section, key, value);
  const std::string after = Content();
  if (!done) {
    // Only a name the file could not hold is refused, and a refused change touches nothing.
    if (valid || after != file) std::abort();
    return 0;
  }

  const auto read = platform::FindProfileString(Scratch(), section, key);
  switch (op) {
    case 0:
    case 1:
      if (read != ReadBack(value)) std::abort();
      break;
    case 2:
      if (read) std::abort();
      break;
    default:
      for (const auto& [s, k] : named)
        if (FoldedEqual(Trim(s), Trim(section)) && platform::FindProfileString(Scratch(), s, k)) std::abort();
      break;
  }
  // Every other key reads as it did.
  for (size_t i = 0; i < named.size(); ++i) {
    const auto& [s, k] = named[i];
    if (FoldedEqual(Trim(s), Trim(section)) && (op == 3 || FoldedEqual(Trim(k), Trim(key)))) continue;
    if (platform::FindProfileString(Scratch(), s, k) != before[i]) std::abort();
  }
  // The same change again gives the same file.
  if (!Change(op, section, key, value) || Content() != after) std::abort();
  return 0;
}

#include "targets/hosts/hosts_own_entries.h"

#include <cstdio>

#include "runtime/platform/files.h"
#include "targets/common/config_writer.h"

namespace {

constexpr const char* kFolder = "Written";

// FNV-1a, 64 bits: a name for the record that stays the same from one version to the next.
uint64_t PathHash(std::string_view path) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (char c : path) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return h;
}

}  // namespace

std::string THostsOwnEntries::RecordPath(const std::string& program_dir, const std::string& hosts_path) {
  char name[32];
  std::snprintf(name, sizeof name, "hosts-%016llx.txt", static_cast<unsigned long long>(PathHash(hosts_path)));
  return program_dir + kFolder + "\\" + name;
}

std::string THostsOwnEntries::Heading(const std::string& hosts_path) {
  return "# The lines Veltrane wrote into " + platform::NativePath(hosts_path) + ", and the only ones it takes out";
}

void THostsOwnEntries::Clear() {
  text_ = {};
  index_ = RecordIndex();
  claimed_ = {};
  next_ = 0;
}

bool THostsOwnEntries::Load(const std::string& record_path, const std::string& hosts_path, std::string* why) {
  Clear();
  platform::FileContent content = platform::ReadWholeFile(record_path);
  if (content.result == platform::FileContent::Result::Unreadable) {
    if (why) *why = content.why;
    return false;
  }
  text_ = std::move(content.bytes);
  const std::string heading = Heading(hosts_path);
  std::vector<std::string_view> lines;
  bool first = true;
  for (size_t at = 0; at < text_.size();) {
    const size_t end = std::min(text_.find('\n', at), text_.size());
    std::string_view line(text_.data() + at, end - at);
    at = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (first) {
      first = false;
      // The record of another hosts file (or no record at all): nothing here is the program's.
      if (line != heading) break;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
  }
  index_ = RecordIndex(lines.size());
  index_.AddEach(lines);
  claimed_.assign(index_.Size(), false);
  return true;
}

uint32_t THostsOwnEntries::Find(std::string_view line, uint32_t& from) const {
  const uint32_t at = from < index_.Size() && index_.Key(from) == line ? from : index_.Find(line);
  if (at != RecordIndex::kNone) from = at + 1;
  return at;
}

bool THostsOwnEntries::Claim(std::string_view line) {
  uint32_t from = next_;
  const uint32_t at = Find(line, from);
  if (at == RecordIndex::kNone || claimed_[at]) return false;
  claimed_[at] = true;
  next_ = from;
  return true;
}

bool THostsOwnEntries::Save(const std::string& record_path, const std::string& hosts_path,
                            const std::function<void(TLineSink&)>& put, std::string* why) {
  const std::string folder = record_path.substr(0, record_path.rfind('\\'));
  if (!platform::IsDirectory(folder)) platform::MakeDirectory(folder);
  TConfigWriter writer(record_path, LineEnding::Lf);
  writer.Line({Heading(hosts_path)});
  put(writer);
  return writer.Commit(why);
}

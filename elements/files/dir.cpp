// TKXDir: folder chains and the program's folder.
#include "elements/files/dir.h"

#include <vector>

#include "runtime/platform/files.h"

namespace {

// No file system accepts a longer path; a longer name would only cost time.
constexpr size_t kMaxPathLength = 32767;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool CreateFolderChain(const std::string& name) {
  if (name.size() > kMaxPathLength) return false;
  // Walk outwards to the first folder that stands, then create the missing ones inwards.
  std::vector<std::string> missing;
  std::string n = name;
  while (true) {
    // A relative name's first folder lies in the current folder, which stands.
    if (n.empty()) {
      if (missing.empty()) return false;
      break;
    }
    // The root alone keeps its separator: it is a folder that always stands.
    if (n.size() > 1 && IsSeparator(n.back())) n.pop_back();
    // A root ("/", "\\", "C:") always stands, whether it can be asked or not.
    const bool root = (n.size() == 1 && IsSeparator(n[0])) || (n.size() == 2 && n[1] == ':');
    if (root || platform::IsDirectory(n)) break;
    const size_t sep = n.find_last_of("\\/:");
    std::string parent = sep == std::string::npos ? std::string() : n.substr(0, sep + 1);
    if (parent == n) break;
    missing.push_back(std::move(n));
    n = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!platform::MakeDirectory(*it)) return false;
  }
  return true;
}

void TKXDir::doCreate(TData& value, uint16_t) { CreateFolderChain(AsText(value)); }

void TKXDir::varProgramDir(TData& result, uint16_t) { result = MakeText(platform::ProgramDir()); }

// The macro folders are looked up when a path is resolved, never cached.
#include "runtime/ini_path.h"

#include <cstdlib>

#include "runtime/platform/files.h"

namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
  return folder;
}

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return (tmp && *tmp) ? WithSeparator(tmp) : std::string("/tmp/");
}

void ReplaceAll(std::string& text, const std::string& macro, const std::string& folder) {
  size_t at = text.find(macro);
  while (at != std::string::npos) {
    text.replace(at, macro.size(), folder);
    at = text.find(macro, at + folder.size());
  }
}

}  // namespace

std::string ResolveIniPath(const std::string& name) {
  std::string path = name;
  if (path.find('%') != std::string::npos) {
    ReplaceAll(path, "%windir%", "/etc/");
    ReplaceAll(path, "%tmpdir%", TempFolder());
    ReplaceAll(path, "%sysdir%", "/etc/");
  }
  if (path.find_first_of("\\/:") == std::string::npos) path = platform::ProgramDir() + path;
  return path;
}

// The macro folders are looked up when a path is resolved, never cached.
#include "runtime/ini_path.h"

#include "runtime/platform/files.h"
#include "runtime/platform/folders.h"

namespace {

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
    ReplaceAll(path, "%windir%", platform::WindowsFolder());
    ReplaceAll(path, "%tmpdir%", platform::TempFolder());
    ReplaceAll(path, "%sysdir%", platform::SystemFolder());
  }
  if (path.find_first_of("\\/:") == std::string::npos) path = platform::ProgramDir() + path;
  return path;
}

#include "runtime/platform/folders.h"

#include <cstdlib>

namespace platform {

std::string WindowsFolder() { return "/etc/"; }
std::string SystemFolder() { return "/etc/"; }

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  if (!tmp || !*tmp) return "/tmp/";
  std::string folder = tmp;
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

}  // namespace platform

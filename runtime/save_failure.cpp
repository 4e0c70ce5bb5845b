#include "runtime/save_failure.h"

#include "runtime/platform/files.h"

std::string SaveFailureMessage(const std::string& path, const std::string& why) {
  return "Could not save '" + platform::NativePath(path) + "': " + why + ". The file was left as it was.";
}

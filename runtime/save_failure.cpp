#include "runtime/save_failure.h"

#include "runtime/platform/files.h"

std::string SaveFailureMessage(const std::string& path, const std::string& why) {
  // The system's own words may end in a full stop already (Windows' do).
  const bool stop = !why.empty() && why.back() == '.';
  return "Could not save '" + platform::NativePath(path) + "': " + why + (stop ? "" : ".") + " The file was left as it was.";
}

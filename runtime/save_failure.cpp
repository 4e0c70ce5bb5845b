#include "runtime/save_failure.h"

#include "runtime/platform/files.h"

std::string SaveFailureMessage(const std::string& path, const std::string& why) {
  // The system's own words may end in a full stop already (Windows' do).
  const bool stop = !why.empty() && why.back() == '.';
  return "Could not save '" + platform::NativePath(path) + "': " + why + (stop ? "" : ".") +
         " The file was left as it was.";
}

namespace {
std::string WithoutStop(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return text;
}
}  // namespace

std::string RefusedAndAsked(const std::string& why, const platform::ElevatedWrite& asked) {
  std::string text = WithoutStop(why) + ". ";
  switch (asked.result) {
    case platform::ElevatedWrite::Result::Done: return WithoutStop(why);
    case platform::ElevatedWrite::Result::Cancelled:
      return text + "The request for the system's permission was cancelled";
    case platform::ElevatedWrite::Result::Failed: break;
  }
  return text + "The system's permission could not be used: " + WithoutStop(asked.why);
}

std::string ElevationFailureMessage(const std::string& path, const std::string& why,
                                    const platform::ElevatedWrite& asked) {
  return "Could not save '" + platform::NativePath(path) + "': " + RefusedAndAsked(why, asked) +
         ". Nothing was written.";
}

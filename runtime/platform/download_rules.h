// What both download layers judge alike, whatever fetches the bytes: the pace of a download
// (the minimum speed and the deadline of an HttpRequest, kept from the bytes received and
// the time passed) and the answers that are no list.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/platform/http.h"

namespace platform {

class DownloadPace {
 public:
  explicit DownloadPace(const HttpRequest& request);

  // With the bytes received so far (headers and all): why the download is given up now
  // ("the download took longer than 10 minutes", kCancelled once the request's cancel flag is
  // set), or nothing. A download is too slow when
  // a stretch of `slow_time_s` seconds brought less than `min_speed` bytes a second.
  std::string Check(uint64_t bytes);
  // The words Check gives a download that is too slow, for a layer that finds it out
  // otherwise (a read that waited `slow_time_s` seconds for nothing).
  std::string TooSlow() const;

 private:
  using Clock = std::chrono::steady_clock;
  const HttpRequest& request_;
  Clock::time_point start_, stretch_start_;
  uint64_t stretch_bytes_ = 0;  // received when the stretch began
};

// Whether a Content-Type value names a web page ("text/html", "Text/HTML; charset=utf-8"),
// which a list never is.
bool IsWebPageType(std::string_view content_type);

}  // namespace platform

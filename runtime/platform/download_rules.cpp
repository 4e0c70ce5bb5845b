#include "runtime/platform/download_rules.h"

namespace platform {

namespace {

std::string Duration(int seconds) {
  if (seconds >= 60 && seconds % 60 == 0)
    return std::to_string(seconds / 60) + (seconds == 60 ? " minute" : " minutes");
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

std::string Speed(uint32_t bytes) {
  return bytes % 1024 == 0 ? std::to_string(bytes / 1024) + " KB/s" : std::to_string(bytes) + " bytes/s";
}

}  // namespace

DownloadPace::DownloadPace(const HttpRequest& request)
    : request_(request), start_(Clock::now()), stretch_start_(start_) {}

std::string DownloadPace::Check(uint64_t bytes) {
  if (request_.cancel && request_.cancel->load()) return kCancelled;
  const Clock::time_point now = Clock::now();
  if (now - start_ >= std::chrono::seconds(request_.deadline_s))
    return "the download took longer than " + Duration(request_.deadline_s);
  if (now - stretch_start_ < std::chrono::seconds(request_.slow_time_s)) return {};
  if (bytes - stretch_bytes_ < uint64_t(request_.min_speed) * uint64_t(request_.slow_time_s)) return TooSlow();
  stretch_start_ = now;
  stretch_bytes_ = bytes;
  return {};
}

std::string DownloadPace::TooSlow() const {
  return "the download was slower than " + Speed(request_.min_speed) + " for " + Duration(request_.slow_time_s);
}

bool IsWebPageType(std::string_view content_type) {
  content_type = content_type.substr(0, content_type.find(';'));
  while (!content_type.empty() && (content_type.front() == ' ' || content_type.front() == '\t'))
    content_type.remove_prefix(1);
  while (!content_type.empty() && (content_type.back() == ' ' || content_type.back() == '\t'))
    content_type.remove_suffix(1);
  constexpr std::string_view kPage = "text/html";
  if (content_type.size() != kPage.size()) return false;
  for (size_t i = 0; i < kPage.size(); ++i) {
    const char c = content_type[i];
    if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != kPage[i]) return false;
  }
  return true;
}

}  // namespace platform

// Downloads over HTTP and HTTPS, for the web lists the user subscribes to: libcurl on Linux,
// WinHTTP on Windows (part of the system). One call fetches one address, politely: it sends
// what the program remembers of the last download (ETag, Last-Modified) so that a list that
// has not changed is not sent again, names the program and its version, follows at most five
// redirects, accepts gzip, and gives up on a server that does not connect, crawls or stalls,
// or takes too long in all.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr uint64_t kDownloadLimit = 256ull << 20;  // 256 MiB: no published list comes near it

// Takes the body as it comes, a piece at a time (gzip already decoded): an empty text goes
// on, any other ends the download as failed, with that text as its reason.
using HttpBodySink = std::function<std::string(std::string_view piece)>;

struct HttpRequest {
  std::string url;                  // http:// or https://
  std::string etag;                 // of the last download, sent as If-None-Match (when not empty)
  std::string last_modified;        // of the last download, sent as If-Modified-Since (when not empty)
  uint64_t limit = kDownloadLimit;  // bytes of the body, decoded
  int connect_timeout_s = 30;
  // Slower than `min_speed` bytes a second on average over `slow_time_s` seconds (a server
  // that trickles, or says nothing, before its answer or within it) ends the download.
  uint32_t min_speed = 1024;
  int slow_time_s = 30;
  // The whole download, redirects and all, ends after this long: a list that has not come
  // in 10 minutes (256 MiB over a line of 3.5 Mbit/s, a large list of 30 MB over one of
  // 0.4 Mbit/s) will not, and a timer's run must end.
  int deadline_s = 600;
  // When set, the body goes to it and `body` stays empty: a list need not be held whole.
  HttpBodySink sink;
  // Bytes received so far (after decompression), for a progress display on another thread.
  std::atomic<uint64_t>* received = nullptr;
  // Set by another thread (the user's "stop"): the download ends as failed, with kCancelled.
  const std::atomic<bool>* cancel = nullptr;
};

// The failure of a download the user stopped.
inline constexpr const char* kCancelled = "cancelled";

struct HttpResponse {
  enum class Result {
    Ok,           // the whole answer to a 2xx status is in `body`, or went to the sink
    NotModified,  // 304: the list is as it was at the last download; nothing was sent
    Failed,       // `error` says why, in words for the user
  };
  Result result = Result::Failed;
  int status = 0;  // the last HTTP status, 0 when none was received
  std::string body;
  std::string etag;  // of this answer, to send the next time
  std::string last_modified;
  std::string error;
};

// The User-Agent every download sends: "Veltrane/VERSION (+https://www.veltrane.org)".
std::string UserAgent();

// Fetches the address; blocks until it is done (run it on a worker thread to keep a window
// painting). Failures, with nothing of the body kept: a status other than 2xx or 304; a 304
// to a request that named no last download (the server cannot know what the program has);
// a web page (Content-Type text/html) where a list was asked for; a broken connection; a
// body shorter than its Content-Length; a body over `limit`; a sink's refusal; and the
// timeouts above.
HttpResponse HttpGet(const HttpRequest& request);

}  // namespace platform

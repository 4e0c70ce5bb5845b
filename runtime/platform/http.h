// Downloads over HTTP and HTTPS, for the web lists the user subscribes to: libcurl on Linux,
// WinHTTP on Windows (part of the system). One call fetches one address, politely: it sends
// what the program remembers of the last download (ETag, Last-Modified) so that a list that
// has not changed is not sent again, names the program and its version, follows at most five
// redirects, accepts gzip, and gives up on a server that does not connect or stalls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace platform {

inline constexpr uint64_t kDownloadLimit = 256ull << 20;  // 256 MiB: no published list comes near it

struct HttpRequest {
  std::string url;            // http:// or https://
  std::string etag;           // of the last download, sent as If-None-Match (when not empty)
  std::string last_modified;  // of the last download, sent as If-Modified-Since (when not empty)
  uint64_t limit = kDownloadLimit;
  int connect_timeout_s = 30;
  int idle_timeout_s = 60;    // no byte for this long ends the download
  // Bytes received so far (after decompression), for a progress display on another thread.
  std::atomic<uint64_t>* received = nullptr;
};

struct HttpResponse {
  enum class Result {
    Ok,           // `body` holds the whole answer to a 2xx status
    NotModified,  // 304: the list is as it was at the last download; nothing was sent
    Failed,       // `error` says why, in words for the user
  };
  Result result = Result::Failed;
  int status = 0;             // the last HTTP status, 0 when none was received
  std::string body;
  std::string etag;           // of this answer, to send the next time
  std::string last_modified;
  std::string error;
};

// The User-Agent every download sends: "Veltrane/VERSION (+https://www.veltrane.org)".
std::string UserAgent();

// Fetches the address; blocks until it is done (run it on a worker thread to keep a window
// painting). A status other than 2xx or 304, a broken connection, a body cut short, a body
// over `limit` and a timeout are failures, and nothing of the body is kept.
HttpResponse HttpGet(const HttpRequest& request);

}  // namespace platform

// Downloads through libcurl.
#include "runtime/platform/http.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

struct Transfer {
  const HttpRequest* request = nullptr;
  HttpResponse* response = nullptr;
  bool over_limit = false;
  bool stalled = false;
  std::string reason;  // of the last status line: "Not Found"
  Clock::time_point last_byte = Clock::now();
};

// libcurl asks about once a second while nothing comes: a server silent for the idle time
// (before its answer, or in the middle of the body) ends the download.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& t = *static_cast<Transfer*>(user);
  if (Clock::now() - t.last_byte < std::chrono::seconds(t.request->idle_timeout_s)) return 0;
  t.stalled = true;
  return 1;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const size_t n = size * count;
  t.last_byte = Clock::now();
  if (t.response->body.size() + n > t.request->limit) {
    t.over_limit = true;
    return 0;  // ends the transfer
  }
  t.response->body.append(data, n);
  if (t.request->received) t.request->received->store(t.response->body.size(), std::memory_order_relaxed);
  return n;
}

// A header line "Name: value\r\n"; the value of the last answer (behind redirects) is what counts.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  t.last_byte = Clock::now();
  const std::string line(data, size * count);
  // A new status line starts the headers of the next answer of a redirect.
  if (line.starts_with("HTTP/")) {
    t.response->etag.clear();
    t.response->last_modified.clear();
    // "HTTP/1.1 404 Not Found": the words behind the code.
    const size_t code = line.find(' ');
    const size_t words = code == std::string::npos ? code : line.find(' ', code + 1);
    t.reason = words == std::string::npos ? "" : line.substr(words + 1);
    while (!t.reason.empty() && (t.reason.back() == '\r' || t.reason.back() == '\n')) t.reason.pop_back();
    return size * count;
  }
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return size * count;
  std::string name = line.substr(0, colon);
  for (char& c : name) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
  std::string value = line.substr(colon + 1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
  while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' ')) value.pop_back();
  if (name == "etag") t.response->etag = value;
  else if (name == "last-modified") t.response->last_modified = value;
  return size * count;
}

std::string Megabytes(uint64_t bytes) {
  return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

std::string UserAgent() { return std::string("Veltrane/") + VELTRANE_VERSION + " (+https://www.veltrane.org)"; }

HttpResponse HttpGet(const HttpRequest& request) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  HttpResponse response;
  CURL* curl = curl_easy_init();
  if (!curl) {
    response.error = "the download could not be started";
    return response;
  }
  Transfer transfer;
  transfer.request = &request;
  transfer.response = &response;
  char error[CURL_ERROR_SIZE] = "";
  curl_slist* headers = nullptr;
  if (!request.etag.empty()) headers = curl_slist_append(headers, ("If-None-Match: " + request.etag).c_str());
  if (!request.last_modified.empty())
    headers = curl_slist_append(headers, ("If-Modified-Since: " + request.last_modified).c_str());
  const std::string agent = UserAgent();
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");  // every encoding libcurl decodes, gzip among them
  curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(request.connect_timeout_s));
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.limit));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // on a worker thread: no signals for timeouts
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
  const CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  response.status = int(status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);

  if (transfer.over_limit || code == CURLE_FILESIZE_EXCEEDED) {
    response.error = "the list is larger than " + Megabytes(request.limit) + ", more than any block list holds";
  } else if (transfer.stalled) {
    response.error = "the server did not answer in time (nothing came for " +
                     std::to_string(request.idle_timeout_s) + " seconds)";
  } else if (code == CURLE_OPERATION_TIMEDOUT) {
    response.error = "the server did not answer in time (" + std::string(error[0] ? error : "timed out") + ")";
  } else if (code == CURLE_TOO_MANY_REDIRECTS) {
    response.error = "more than 5 redirects";
  } else if (code != CURLE_OK) {
    response.error = error[0] ? error : curl_easy_strerror(code);
  } else if (status == 304) {
    response.result = HttpResponse::Result::NotModified;
  } else if (status >= 200 && status < 300) {
    response.result = HttpResponse::Result::Ok;
  } else {
    response.error = "the server answered " + std::to_string(status) + (transfer.reason.empty() ? "" : " " + transfer.reason);
  }
  if (response.result != HttpResponse::Result::Ok) response.body = std::string();
  return response;
}

}  // namespace platform

// Downloads through libcurl. Gzip bodies are decoded here, with zlib, rather than by libcurl,
// which takes a gzip body cut short without a Content-Length (the connection closed in the
// middle of it) for a whole one: the stream's own end tells.
#include "runtime/platform/http.h"

#include <curl/curl.h>
#include <zlib.h>

#include <cstdlib>
#include <memory>
#include <mutex>

#include "runtime/platform/download_rules.h"

namespace platform {

namespace {

std::string Megabytes(uint64_t bytes) {
  return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

// A gzip (or zlib) body inflated as it comes; members that follow each other are read as one.
class Inflater {
 public:
  Inflater() { usable_ = inflateInit2(&stream_, 15 + 32) == Z_OK; }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates `in`, handing the bytes it gives to `out` (which may stop it by returning
  // false); false when the bytes are no gzip stream or `out` stopped.
  template <class Out>
  bool Take(std::string_view in, Out out) {
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream_.avail_in = uInt(in.size());
    while (usable_ && stream_.avail_in > 0) {
      if (ended_) {
        // Another member, or bytes after the last one, which gzip itself passes over.
        if (stream_.next_in[0] != 0x1F) return true;
        inflateReset(&stream_);
        ended_ = false;
      }
      stream_.next_out = reinterpret_cast<Bytef*>(buffer_);
      stream_.avail_out = sizeof buffer_;
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) usable_ = false;
      ended_ = result == Z_STREAM_END;
      const size_t made = sizeof buffer_ - stream_.avail_out;
      if (made > 0 && !out(std::string_view(buffer_, made))) return false;
      if (made == 0 && result == Z_BUF_ERROR) break;
    }
    return usable_;
  }
  bool Ended() const { return ended_; }

 private:
  z_stream stream_{};
  bool usable_ = false;
  bool ended_ = false;
  char buffer_[1 << 16];
};

struct Transfer {
  explicit Transfer(const HttpRequest& r, HttpResponse& a) : request(r), response(a), pace(r) {}

  const HttpRequest& request;
  HttpResponse& response;
  DownloadPace pace;
  // Of the answer whose headers came last (the one behind the redirects, in the end).
  int status = 0;
  std::string reason;                  // the words behind the status code: "Not Found"
  bool web_page = false;               // its Content-Type is text/html
  std::string encoding;                // its Content-Encoding, lower-cased: "gzip"
  std::unique_ptr<Inflater> inflater;  // for the body of the list, when it is compressed
  uint64_t seen = 0;                   // bytes of every answer, headers and all
  uint64_t kept = 0;                   // bytes of the list's body
  std::string stop;                    // why the download was ended from here
};

bool IsSuccess(int status) { return status >= 200 && status < 300; }

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '\t'))
    text.pop_back();
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  return text.substr(start);
}

// libcurl asks about once a second while nothing comes, and more often while bytes do.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& t = *static_cast<Transfer*>(user);
  std::string why = t.pace.Check(t.seen);
  if (why.empty()) return 0;
  t.stop = std::move(why);
  return 1;
}

// A piece of the list, decoded: counted, and kept or handed to the sink.
bool Keep(Transfer& t, std::string_view piece) {
  if (t.kept + piece.size() > t.request.limit) {
    t.stop = "the list is larger than " + Megabytes(t.request.limit) + ", more than any block list holds";
    return false;
  }
  t.kept += piece.size();
  if (t.request.sink) {
    std::string refused = t.request.sink(piece);
    if (!refused.empty()) {
      t.stop = std::move(refused);
      return false;
    }
  } else {
    t.response.body.append(piece);
  }
  if (t.request.received) t.request.received->store(t.kept, std::memory_order_relaxed);
  return true;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const size_t n = size * count;
  t.seen += n;
  if (!IsSuccess(t.status)) return n;  // the body of a redirect: not the list
  const std::string_view piece(data, n);
  if (!t.inflater) return Keep(t, piece) ? n : 0;  // 0 ends the transfer
  if (t.inflater->Take(piece, [&t](std::string_view plain) { return Keep(t, plain); })) return n;
  if (t.stop.empty()) t.stop = "the server's gzip body is damaged";
  return 0;
}

// A header line "Name: value\r\n"; the values of the last answer (behind redirects) are what count.
size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<Transfer*>(user);
  const size_t n = size * count;
  t.seen += n;
  const std::string line(data, n);
  // A new status line starts the headers of the next answer of a redirect.
  if (line.starts_with("HTTP/")) {
    t.response.etag.clear();
    t.response.last_modified.clear();
    t.web_page = false;
    t.encoding.clear();
    // "HTTP/1.1 404 Not Found": the code, and the words behind it.
    const size_t code = line.find(' ');
    const size_t words = code == std::string::npos ? code : line.find(' ', code + 1);
    t.status = code == std::string::npos ? 0 : std::atoi(line.c_str() + code + 1);
    t.reason = words == std::string::npos ? "" : Trimmed(line.substr(words + 1));
    return n;
  }
  // The end of an answer's headers: a web page is no list, and an error's body is not wanted.
  if (line == "\r\n" || line == "\n") {
    if (IsSuccess(t.status) && t.web_page) {
      t.stop = "the server sent a web page (text/html), not a list";
      return 0;
    }
    if (IsSuccess(t.status) && !t.encoding.empty() && t.encoding != "identity") {
      if (t.encoding != "gzip" && t.encoding != "x-gzip" && t.encoding != "deflate") {
        t.stop = "the server sent the list encoded as \"" + t.encoding + "\", which the program does not read";
        return 0;
      }
      t.inflater = std::make_unique<Inflater>();
    }
    if (t.status >= 400) {
      t.stop = "the server answered " + std::to_string(t.status) + (t.reason.empty() ? "" : " " + t.reason);
      return 0;
    }
    return n;
  }
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return n;
  std::string name = line.substr(0, colon);
  for (char& c : name) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
  const std::string value = Trimmed(line.substr(colon + 1));
  if (name == "etag") {
    t.response.etag = value;
  } else if (name == "last-modified") {
    t.response.last_modified = value;
  } else if (name == "content-type") {
    t.web_page = IsWebPageType(value);
  } else if (name == "content-encoding") {
    t.encoding = value;
    for (char& c : t.encoding) c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
  }
  return n;
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
  Transfer transfer(request, response);
  char error[CURL_ERROR_SIZE] = "";
  // Gzip is asked for and decoded by the transfer (see above), not by libcurl.
  curl_slist* headers = curl_slist_append(nullptr, "Accept-Encoding: gzip");
  curl_easy_setopt(curl, CURLOPT_HTTP_CONTENT_DECODING, 0L);
  if (!request.etag.empty()) headers = curl_slist_append(headers, ("If-None-Match: " + request.etag).c_str());
  if (!request.last_modified.empty())
    headers = curl_slist_append(headers, ("If-Modified-Since: " + request.last_modified).c_str());
  const std::string agent = UserAgent();
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(request.connect_timeout_s));
  // The speed and the deadline are kept by the progress callback, as the Windows layer keeps them.
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

  const bool conditional = !request.etag.empty() || !request.last_modified.empty();
  if (!transfer.stop.empty()) {
    response.error = transfer.stop;
  } else if (code == CURLE_FILESIZE_EXCEEDED) {
    response.error = "the list is larger than " + Megabytes(request.limit) + ", more than any block list holds";
  } else if (code == CURLE_OPERATION_TIMEDOUT) {
    response.error = "the server did not answer in time (" + std::string(error[0] ? error : "timed out") + ")";
  } else if (code == CURLE_TOO_MANY_REDIRECTS) {
    response.error = "more than 5 redirects";
  } else if (code == CURLE_PARTIAL_FILE) {
    response.error = "the connection closed before the whole list came (" +
                     std::string(error[0] ? error : curl_easy_strerror(code)) + ")";
  } else if (code != CURLE_OK) {
    response.error = error[0] ? error : curl_easy_strerror(code);
  } else if (IsSuccess(int(status)) && transfer.inflater && !transfer.inflater->Ended()) {
    response.error = "the connection closed before the whole list came (its gzip stream ends early)";
  } else if (status == 304 && conditional) {
    response.result = HttpResponse::Result::NotModified;
  } else if (status == 304) {
    response.error = "the server answered 304 Not Modified to a request for the whole list";
  } else if (IsSuccess(int(status))) {
    response.result = HttpResponse::Result::Ok;
  } else {
    response.error =
        "the server answered " + std::to_string(status) + (transfer.reason.empty() ? "" : " " + transfer.reason);
  }
  if (response.result != HttpResponse::Result::Ok) response.body = std::string();
  return response;
}

}  // namespace platform

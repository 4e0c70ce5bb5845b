// Downloads against a server the test runs on 127.0.0.1: what each kind of answer gives,
// and what the program tells a list server about itself and its last download.
#include <gtest/gtest.h>

#include "local_http_server.h"
#include "runtime/platform/http.h"

namespace {

using platform::HttpGet;
using platform::HttpRequest;
using Result = platform::HttpResponse::Result;

// Three hosts lines, gzip-compressed.
const std::string kGzipped(
    "\x1F\x8B\x08\x00\x00\x00\x00\x00\x02\x03\x33\xD0\x33\x00\x41\x85\xF4\xAA\xCC\x02\xBD\xD4\x8A\xC4\xDC\x82\x9C"
    "\x54\xBD\xE4\xFC\x5C\x2E\x03\x92\x25\x00\x9C\x91\x40\x3C\x4B\x00\x00\x00",
    45);

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += char(b);
  return bytes;
}

void Serve(const HttpRequestSeen& request, LocalHttpServer& server, int c) {
  const std::string& path = request.path;
  if (path == "/list.txt") {
    if (request.Header("If-None-Match") == "\"v1\"") {
      LocalHttpServer::Send(c, "HTTP/1.1 304 Not Modified\r\nETag: \"v1\"\r\nConnection: close\r\n\r\n");
      return;
    }
    LocalHttpServer::Answer(c, "200 OK", "ETag: \"v1\"\r\nLast-Modified: Sat, 05 Dec 2026 09:30:05 GMT\r\n",
                            "0.0.0.0 ads.example.com\n");
  } else if (path == "/missing") {
    LocalHttpServer::Answer(c, "404 Not Found", "", "no such list");
  } else if (path == "/broken") {
    LocalHttpServer::Answer(c, "500 Internal Server Error", "", "");
  } else if (path == "/moved") {
    LocalHttpServer::Answer(c, "301 Moved Permanently", "Location: /list.txt\r\n", "");
  } else if (path.starts_with("/loop")) {
    LocalHttpServer::Answer(c, "302 Found", "Location: " + path + "x\r\n", "");
  } else if (path == "/gzip") {
    LocalHttpServer::Answer(c, "200 OK", "Content-Encoding: gzip\r\n", kGzipped);
  } else if (path == "/stall") {
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0.0.0.0 a");
    server.StallUntilClosed(c, std::chrono::seconds(10));
  } else if (path == "/silent") {
    server.StallUntilClosed(c, std::chrono::seconds(10));
  } else if (path == "/trickle") {
    // A byte every tenth of a second: never silent, far too slow.
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
    server.Trickle(c, "a", std::chrono::milliseconds(100), std::chrono::seconds(10));
  } else if (path == "/endless") {
    // Fast enough, and never done.
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
    server.Trickle(c, std::string(4096, 'a'), std::chrono::milliseconds(50), std::chrono::seconds(10));
  } else if (path == "/truncated") {
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\n0.0.0.0 a.example");
  } else if (path == "/truncated-gzip") {
    LocalHttpServer::Send(
        c, "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 45\r\nConnection: close\r\n\r\n" +
               kGzipped.substr(0, 30));
  } else if (path == "/truncated-gzip-no-length") {
    // The end of the connection ends the body: only the gzip stream's own end tells it was cut.
    LocalHttpServer::Send(
        c, "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nConnection: close\r\n\r\n" + kGzipped.substr(0, 30));
  } else if (path == "/damaged-gzip") {
    // A gzip header, then a block of the type deflate keeps reserved.
    LocalHttpServer::Answer(c, "200 OK", "Content-Encoding: gzip\r\n",
                            std::string("\x1F\x8B\x08\0\0\0\0\0\0\x03\x07", 11));
  } else if (path == "/brotli") {
    LocalHttpServer::Answer(c, "200 OK", "Content-Encoding: br\r\n", "\x0B\x02\x80list");
  } else if (path == "/truncated-chunks") {
    LocalHttpServer::Send(c,
                          "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
                          "18\r\n0.0.0.0 ads.example.com\n\r\n10\r\n0.0.0.0 a");
  } else if (path == "/page") {
    LocalHttpServer::Answer(c, "200 OK", "Content-Type: Text/HTML; charset=utf-8\r\nETag: \"p1\"\r\n",
                            "<html><body>Log in to the hotel's network: portal.example.com</body></html>");
  } else if (path == "/always-304") {
    LocalHttpServer::Send(c, "HTTP/1.1 304 Not Modified\r\nConnection: close\r\n\r\n");
  } else if (path == "/huge") {
    // No length given: the limit is found while the body comes (a length given only ends it sooner).
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(5000, 'a'));
  } else if (path == "/binary") {
    LocalHttpServer::Answer(c, "200 OK", "Content-Type: application/octet-stream\r\n", AllBytes());
  }
}

class Download : public ::testing::Test {
 protected:
  platform::HttpResponse Get(const std::string& path, const std::string& etag = "", const std::string& date = "",
                             const platform::HttpBodySink& sink = nullptr) {
    HttpRequest request;
    request.url = server.Url(path);
    request.etag = etag;
    request.last_modified = date;
    request.limit = 1000;
    request.connect_timeout_s = 5;
    request.slow_time_s = 1;
    request.deadline_s = 3;
    request.sink = sink;
    return HttpGet(request);
  }
  LocalHttpServer server{Serve};
};

// Failures are told in words and keep no body; bytes of every value come through as sent
// (telling text from binary is the web list's business). The figures of the pace are a
// test's: under 1 KB/s for a second, and 3 seconds in all.
TEST_F(Download, each_kind_of_answer_gives_its_body_or_its_failure_in_words) {
  const std::string list = "0.0.0.0 ads.example.com\n", gzip = "0.0.0.0 gzip.example.com\n";
  const struct Case {
    const char* path;
    std::string etag;
    Result result;
    std::string body, error_part;
  } cases[] = {
      {"/list.txt", "", Result::Ok, list, ""},
      {"/list.txt", "\"v1\"", Result::NotModified, "", ""},
      {"/list.txt", "\"v0\"", Result::Ok, list, ""},  // another ETag: the list changed
      {"/moved", "", Result::Ok, list, ""},
      {"/gzip", "", Result::Ok, gzip + gzip + gzip, ""},
      {"/binary", "", Result::Ok, AllBytes(), ""},
      {"/missing", "", Result::Failed, "", "the server answered 404 Not Found"},
      {"/broken", "", Result::Failed, "", "the server answered 500 Internal Server Error"},
      {"/loop", "", Result::Failed, "", "more than 5 redirects"},
      {"/stall", "", Result::Failed, "", "the download was slower than 1 KB/s for 1 second"},
      {"/silent", "", Result::Failed, "", "the download was slower than 1 KB/s for 1 second"},
      {"/trickle", "", Result::Failed, "", "the download was slower than 1 KB/s for 1 second"},
      {"/endless", "", Result::Failed, "", "larger than"},  // the limit of 1000 bytes comes first
      {"/truncated", "", Result::Failed, "", "the connection closed before the whole list came"},
      {"/truncated-gzip", "", Result::Failed, "", "the connection closed before the whole list came"},
      {"/truncated-chunks", "", Result::Failed, "", "the connection closed before the whole list came"},
      {"/truncated-gzip-no-length", "", Result::Failed, "",
       "the connection closed before the whole list came (its gzip"},
      {"/damaged-gzip", "", Result::Failed, "", "the server's gzip body is damaged"},
      {"/brotli", "", Result::Failed, "", "encoded as \"br\", which the program does not read"},
      {"/huge", "", Result::Failed, "", "larger than"},
      {"/page", "", Result::Failed, "", "the server sent a web page (text/html), not a list"},
      {"/always-304", "", Result::Failed, "", "the server answered 304 Not Modified to a request for the whole list"},
      {"/always-304", "\"v1\"", Result::NotModified, "", ""},
  };
  for (const Case& c : cases) {
    const auto response = Get(c.path, c.etag);
    EXPECT_EQ(response.result, c.result) << c.path << ": " << response.error;
    EXPECT_EQ(response.body, c.body) << c.path;
    EXPECT_NE(response.error.find(c.error_part), std::string::npos) << c.path << ": " << response.error;
  }
}

TEST_F(Download, a_list_comes_with_its_etag_and_date_and_the_request_names_the_program_and_the_last_download) {
  const auto response = Get("/moved", "", "Sat, 05 Dec 2026 09:30:05 GMT");
  EXPECT_EQ(response.etag, "\"v1\"") << "the ETag of the answer behind the redirect";
  EXPECT_EQ(response.last_modified, "Sat, 05 Dec 2026 09:30:05 GMT");
  const HttpRequestSeen seen = server.Requests().at(0);
  EXPECT_EQ(seen.Header("User-Agent"), "Veltrane/2.0 (+https://www.veltrane.org)");
  EXPECT_EQ(seen.Header("If-None-Match"), "") << "nothing remembered, nothing sent";
  EXPECT_EQ(seen.Header("If-Modified-Since"), "Sat, 05 Dec 2026 09:30:05 GMT");
  EXPECT_EQ(seen.Header("Accept-Encoding"), "gzip") << "only what the program decodes itself";
}

// A download that crawls on is given up at its deadline, well before the server would stop.
TEST_F(Download, a_download_that_never_ends_is_given_up_at_its_deadline) {
  HttpRequest request;
  request.url = server.Url("/endless");
  request.deadline_s = 2;
  const auto started = std::chrono::steady_clock::now();
  const auto response = HttpGet(request);
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(response.result, Result::Failed);
  EXPECT_EQ(response.error, "the download took longer than 2 seconds");
  EXPECT_EQ(response.body, "");
  EXPECT_GE(took, std::chrono::seconds(2));
  EXPECT_LT(took, std::chrono::seconds(5));
}

// With a sink, the body goes to it a piece at a time and is not kept; a sink's refusal ends
// the download with its words.
TEST_F(Download, the_body_goes_to_a_sink_piece_by_piece_and_the_sink_may_refuse_it) {
  std::string taken;
  const auto take = [&taken](std::string_view piece) {
    taken += piece;
    return std::string();
  };
  const auto ok = Get("/gzip", "", "", take);
  EXPECT_EQ(ok.result, Result::Ok) << ok.error;
  EXPECT_EQ(ok.body, "");
  EXPECT_EQ(taken, "0.0.0.0 gzip.example.com\n0.0.0.0 gzip.example.com\n0.0.0.0 gzip.example.com\n");
  const auto refused = Get("/binary", "", "", [](std::string_view) { return std::string("is no text"); });
  EXPECT_EQ(refused.result, Result::Failed);
  EXPECT_EQ(refused.error, "is no text");
  taken.clear();
  EXPECT_EQ(Get("/missing", "", "", take).result, Result::Failed);
  EXPECT_EQ(taken, "") << "an error page is no list";
}

}  // namespace

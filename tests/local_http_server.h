// A small HTTP server for the download tests: it listens on 127.0.0.1 only, on a port the
// system picks, answers each request with what the test's handler writes, and keeps every
// request it got. Connections are served one after the other on the server's own thread; it
// stops when it is destroyed.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpRequestSeen {
  std::string path;
  std::string headers;  // the raw header lines, "Name: value\r\n" each

  // The value of a header (names compared without regard to case), or empty.
  std::string Header(const std::string& name) const {
    size_t at = 0;
    while (at < headers.size()) {
      const size_t end = headers.find("\r\n", at);
      const std::string line = headers.substr(at, end - at);
      at = end == std::string::npos ? headers.size() : end + 2;
      const size_t colon = line.find(':');
      if (colon != name.size()) continue;
      bool same = true;
      for (size_t i = 0; i < colon && same; ++i)
        same = std::tolower(static_cast<unsigned char>(line[i])) == std::tolower(static_cast<unsigned char>(name[i]));
      if (same) return line.substr(colon + 2);
    }
    return {};
  }
};

class LocalHttpServer {
 public:
  // Writes the whole answer to the connection (status line, headers, body) with Send.
  using Handler = std::function<void(const HttpRequestSeen& request, LocalHttpServer& server, int connection)>;

  explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 8);
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }

  // "http://127.0.0.1:PORT" followed by the path.
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::vector<HttpRequestSeen> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  static void Send(int connection, const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += size_t(n);
    }
  }
  // A whole answer with a Content-Length.
  static void Answer(int connection, const std::string& status, const std::string& headers, const std::string& body) {
    Send(connection, "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                         "\r\nConnection: close\r\n" + headers + "\r\n" + body);
  }
  // Plays a server that stalls: sends nothing more until the client gives up and closes the
  // connection, the server stops, or `time` has passed.
  void StallUntilClosed(int connection, std::chrono::milliseconds time) { Trickle(connection, "", {}, time); }
  // Plays a server that crawls: sends `piece` every `every` until the client gives up and
  // closes the connection, the server stops, or `time` has passed. The time the client took
  // to give up, from the first piece.
  std::chrono::milliseconds Trickle(int connection, const std::string& piece, std::chrono::milliseconds every,
                                    std::chrono::milliseconds time) {
    const auto start = std::chrono::steady_clock::now();
    auto next = start;
    for (auto end = start + time; std::chrono::steady_clock::now() < end && !stop_;) {
      if (!piece.empty() && std::chrono::steady_clock::now() >= next) {
        if (::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL) <= 0) break;
        next += every;
      }
      pollfd wait{connection, POLLIN, 0};
      if (::poll(&wait, 1, 10) <= 0) continue;
      char byte;
      if (::recv(connection, &byte, 1, 0) <= 0) break;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd wait{listener_, POLLIN, 0};
      if (::poll(&wait, 1, 50) <= 0) continue;
      const int connection = ::accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      std::string received;
      char buffer[4096];
      while (received.find("\r\n\r\n") == std::string::npos) {
        pollfd more{connection, POLLIN, 0};
        if (::poll(&more, 1, 2000) <= 0) break;
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        received.append(buffer, size_t(n));
      }
      HttpRequestSeen request;
      const size_t line_end = received.find("\r\n");
      const std::string line = received.substr(0, line_end);
      const size_t path_start = line.find(' ') + 1;
      request.path = line.substr(path_start, line.find(' ', path_start) - path_start);
      if (line_end != std::string::npos) request.headers = received.substr(line_end + 2);
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
      }
      handler_(request, *this, connection);
      ::shutdown(connection, SHUT_RDWR);
      ::close(connection);
    }
  }

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_ = false;
  std::mutex mutex_;
  std::vector<HttpRequestSeen> requests_;
  std::thread thread_;
};

// Downloads through WinHTTP, which every Windows has.
#include "runtime/platform/http.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

#include "runtime/platform/code_page.h"
#include "runtime/platform/download_rules.h"

namespace platform {

namespace {

struct HandleCloser {
  void operator()(void* handle) const { ::WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// WinHTTP's own words for its errors, or the system's.
std::string Words(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM |
                      FORMAT_MESSAGE_FROM_HMODULE;
  const DWORD n = ::FormatMessageW(flags, ::GetModuleHandleW(L"winhttp.dll"), error, 0,
                                   reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string words = n ? Utf8FromWide(std::wstring_view(text, n)) : "error " + std::to_string(error);
  if (text) ::LocalFree(text);
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == '.')) words.pop_back();
  return words;
}

std::string Failure(DWORD error) {
  switch (error) {
    // The common ones in words of our own: not every system has WinHTTP's message texts.
    case ERROR_WINHTTP_TIMEOUT: return "the server did not answer in time";
    case ERROR_WINHTTP_REDIRECT_FAILED: return "more than 5 redirects, or a redirect that is not allowed";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "the server's name could not be resolved";
    case ERROR_WINHTTP_CANNOT_CONNECT: return "could not connect to the server";
    case ERROR_WINHTTP_CONNECTION_ERROR: return "the connection to the server was broken";
    case ERROR_WINHTTP_SECURE_FAILURE: return "the secure connection failed (the server's certificate)";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE: return "the server's answer could not be read";
    default: return Words(error);
  }
}

std::wstring Header(HINTERNET request, DWORD which) {
  DWORD size = 0;
  ::WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                        WINHTTP_NO_HEADER_INDEX);
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (!::WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
    return {};
  value.resize(size / sizeof(wchar_t));
  return value;
}

std::string Megabytes(uint64_t bytes) {
  return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

}  // namespace

std::string UserAgent() { return std::string("Veltrane/") + VELTRANE_VERSION + " (+https://www.veltrane.org)"; }

HttpResponse HttpGet(const HttpRequest& request) {
  HttpResponse response;
  const auto fail = [&response](std::string why) {
    response.result = HttpResponse::Result::Failed;
    response.body = std::string();
    response.error = std::move(why);
    return response;
  };
  const std::wstring url = WideFromText(request.url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = DWORD(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return fail("not a web address: " + Failure(::GetLastError()));
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
    return fail("not an http or https address");
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  // WinHTTP has no minimum speed and no deadline of its own: they are kept between reads, and
  // no read waits longer than the stretch the speed is measured over.
  DownloadPace pace(request);
  const std::wstring agent = WideFromText(UserAgent());
  Handle session(::WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return fail(Failure(::GetLastError()));
  const int connect_ms = request.connect_timeout_s * 1000, wait_ms = request.slow_time_s * 1000;
  ::WinHttpSetTimeouts(session.get(), connect_ms, connect_ms, wait_ms, wait_ms);
  // Decoding gzip needs Windows 8.1; an older system simply does not ask for it.
  DWORD decompression = WINHTTP_DECOMPRESSION_FLAG_ALL;
  ::WinHttpSetOption(session.get(), WINHTTP_OPTION_DECOMPRESSION, &decompression, sizeof decompression);
  Handle connection(::WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) return fail(Failure(::GetLastError()));
  Handle call(::WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                   WINHTTP_DEFAULT_ACCEPT_TYPES,
                                   parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
  if (!call) return fail(Failure(::GetLastError()));
  DWORD redirects = 5;
  ::WinHttpSetOption(call.get(), WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects, sizeof redirects);
  std::wstring headers;
  if (!request.etag.empty()) headers += L"If-None-Match: " + WideFromText(request.etag) + L"\r\n";
  if (!request.last_modified.empty()) headers += L"If-Modified-Since: " + WideFromText(request.last_modified) + L"\r\n";
  if (!::WinHttpSendRequest(call.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                            headers.empty() ? 0 : DWORD(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(call.get(), nullptr))
    return fail(Failure(::GetLastError()));
  if (std::string why = pace.Check(0); !why.empty()) return fail(why);

  DWORD status = 0, size = sizeof status;
  ::WinHttpQueryHeaders(call.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &status, &size, WINHTTP_NO_HEADER_INDEX);
  response.status = int(status);
  response.etag = BytesFromWide(Header(call.get(), WINHTTP_QUERY_ETAG));
  response.last_modified = BytesFromWide(Header(call.get(), WINHTTP_QUERY_LAST_MODIFIED));
  if (status == 304) {
    // Only a request that named the last download can be answered "not modified".
    if (request.etag.empty() && request.last_modified.empty())
      return fail("the server answered 304 Not Modified to a request for the whole list");
    response.result = HttpResponse::Result::NotModified;
    return response;
  }
  if (status < 200 || status >= 300) {
    const std::string reason = BytesFromWide(Header(call.get(), WINHTTP_QUERY_STATUS_TEXT));
    return fail("the server answered " + std::to_string(status) + (reason.empty() ? "" : " " + reason));
  }
  if (IsWebPageType(BytesFromWide(Header(call.get(), WINHTTP_QUERY_CONTENT_TYPE))))
    return fail("the server sent a web page (text/html), not a list");
  // The length the server announced, when it sent the body as it is (not compressed).
  uint64_t announced = 0;
  const bool plain = Header(call.get(), WINHTTP_QUERY_CONTENT_ENCODING).empty();
  if (const std::wstring length = Header(call.get(), WINHTTP_QUERY_CONTENT_LENGTH); !length.empty())
    announced = std::wcstoull(length.c_str(), nullptr, 10);
  if (announced > request.limit)
    return fail("the list is larger than " + Megabytes(request.limit) + ", more than any block list holds");

  char buffer[1 << 16];
  uint64_t kept = 0;
  while (true) {
    DWORD got = 0;
    if (!::WinHttpReadData(call.get(), buffer, sizeof buffer, &got)) {
      const DWORD error = ::GetLastError();
      return fail(error == ERROR_WINHTTP_TIMEOUT ? pace.TooSlow() : Failure(error));
    }
    if (got == 0) break;
    if (kept + got > request.limit)
      return fail("the list is larger than " + Megabytes(request.limit) + ", more than any block list holds");
    kept += got;
    if (request.sink) {
      if (std::string refused = request.sink(std::string_view(buffer, got)); !refused.empty()) return fail(refused);
    } else {
      response.body.append(buffer, got);
    }
    if (request.received) request.received->store(kept, std::memory_order_relaxed);
    if (std::string why = pace.Check(kept); !why.empty()) return fail(why);
  }
  if (plain && announced > 0 && kept < announced)
    return fail("the connection closed before the whole list came (" + std::to_string(kept) + " of " +
                std::to_string(announced) + " bytes)");
  response.result = HttpResponse::Result::Ok;
  return response;
}

}  // namespace platform

#include "runtime/platform/windows_error.h"

#include "runtime/platform/code_page.h"

namespace platform {

std::string WindowsErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = n > 0 && text ? BytesFromWide(std::wstring_view(text, n)) : std::string();
  if (text) ::LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason.empty() ? "Windows error " + std::to_string(error) : reason;
}

}  // namespace platform

#include "runtime/platform/folders.h"

#include <windows.h>

#include "runtime/platform/code_page.h"

namespace platform {
namespace {

template <class Query>
std::string Folder(Query query) {
  wchar_t buf[MAX_PATH + 1];
  const UINT n = query(buf, MAX_PATH + 1);
  std::string folder = n > 0 && n <= MAX_PATH ? BytesFromWide(std::wstring_view(buf, n)) : std::string("C:\\");
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

}  // namespace

std::string WindowsFolder() {
  return Folder([](wchar_t* b, UINT n) { return ::GetWindowsDirectoryW(b, n); });
}
std::string SystemFolder() {
  return Folder([](wchar_t* b, UINT n) { return ::GetSystemDirectoryW(b, n); });
}
std::string TempFolder() {
  return Folder([](wchar_t* b, UINT n) { return static_cast<UINT>(::GetTempPathW(n, b)); });
}

}  // namespace platform

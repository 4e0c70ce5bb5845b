#include "runtime/platform/console.h"

#include <windows.h>

#include <cstdio>
#include <iostream>

namespace platform {

// Output already redirected (to a file, a pipe: a scheduled task's log) is kept as it is.
void UseStartingConsole() {
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN) std::freopen("CONOUT$", "w", stdout);
  if (::GetFileType(::GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN) std::freopen("CONOUT$", "w", stderr);
  std::cout.clear();
  std::cerr.clear();
}

}  // namespace platform

// Windows only: the system's words for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// In the user's language, without the line break the system ends it with; "Windows error N"
// when the system has no words for it.
std::string WindowsErrorText(DWORD error);

}  // namespace platform

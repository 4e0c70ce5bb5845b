// The system folders that INI file names may refer to, each with a trailing separator.
#pragma once

#include <string>

namespace platform {

// Linux: "/etc/" for both; Windows: the Windows folder and the system folder.
std::string WindowsFolder();
std::string SystemFolder();
// Linux: $TMPDIR (a "/" added when missing), or "/tmp/" when it is unset or empty;
// Windows: the user's temporary folder.
std::string TempFolder();

}  // namespace platform

// The INI file path rule shared by the INI element, the section loader and the window position.
//
// 1. Every "%windir%", then every "%tmpdir%", then every "%sysdir%" (case-sensitive) is
//    replaced by its folder with a trailing separator; the search goes on behind the
//    inserted text. On Linux "%windir%" and "%sysdir%" both stand for "/etc/", and
//    "%tmpdir%" for $TMPDIR (a "/" added when missing), or "/tmp/" when TMPDIR is unset or empty.
// 2. A result without a folder part (no "\", "/" or ":") is placed in the program folder,
//    so "Veltra.ini" always means the file beside the program, whatever the current folder.
#pragma once

#include <string>

std::string ResolveIniPath(const std::string& name);

// The program's settings file, as the schemes name it (the rule above puts it beside the program).
inline constexpr const char* kSettingsFile = "Veltra.ini";

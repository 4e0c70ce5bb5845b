// The words the program uses when a file could not be saved: which file, and why.
#pragma once

#include <string>

// "Could not save 'PATH': WHY. The file was left as it was." with the path in the
// system's own form, for a message box.
std::string SaveFailureMessage(const std::string& path, const std::string& why);

// The caption of every such message box.
inline constexpr const char* kSaveFailureCaption = "Error:";

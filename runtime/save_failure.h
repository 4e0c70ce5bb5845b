// The words the program uses when a file could not be saved: which file, and why.
#pragma once

#include <string>

#include "runtime/platform/elevation.h"

// "Could not save 'PATH': WHY. The file was left as it was." with the path in the
// system's own form, for a message box.
std::string SaveFailureMessage(const std::string& path, const std::string& why);

// The reason a write was refused for want of permission (`why`, the system's words) and
// what became of the request for the system's permission (`asked`): "Permission denied.
// The request for the system's permission was cancelled", without a closing full stop.
std::string RefusedAndAsked(const std::string& why, const platform::ElevatedWrite& asked);

// "Could not save 'PATH': " and RefusedAndAsked, then ". Nothing was written.", for a save
// the system refused and did not make with its permission either.
std::string ElevationFailureMessage(const std::string& path, const std::string& why,
                                    const platform::ElevatedWrite& asked);

// The caption of every such message box.
inline constexpr const char* kSaveFailureCaption = "Error:";

// The words the targets use when a file cannot be read or written as asked. Every such
// message box has the caption "Error:" (kSaveFailureCaption) and the error icon; a failed
// save itself is told with SaveFailureMessage.
#pragma once

#include <string>
#include <string_view>

// The settings name no file for the target ("Kerio Winroute Firewall", "Hosts").
std::string NoFileSetMessage(std::string_view target);
// The configuration file a direct write needs does not exist.
std::string FileNotFoundMessage(const std::string& path);
// The file exists but could not be read; `why` in the system's words.
std::string CannotReadMessage(const std::string& path, const std::string& why);
// What a message about a direct write ends with.
inline constexpr const char* kNothingWritten = " Nothing was written.";
// A NUL byte ends the file's text early: writing the file back would lose what follows it.
std::string NotTextMessage(const std::string& path);
// The file lacks the place entries go: `what` names it ("[Content\Sites] section").
std::string NoInsertionMessage(const std::string& path, std::string_view what);
// A start-up backup copy failed.
std::string BackupFailedMessage(const std::string& from, const std::string& to, const std::string& why);

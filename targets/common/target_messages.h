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
// A file the program would replace whole (a resolver format's) was not written by it:
// its first line is not the program's.
std::string NotOwnedMessage(const std::string& path, std::string_view format);
// The file a target names is missing at start: `heading` (the target's own words, "File
// 'hosts' not found!") and what became of the target and what the user can do about it.
std::string BackupNotFoundMessage(std::string_view heading, const std::string& path, std::string_view target);
// A start-up backup copy failed.
std::string BackupFailedMessage(const std::string& from, const std::string& to, const std::string& why);
// The file to back up cannot be read (a FIFO, a file the user may not read): no copy of it
// can be made anywhere.
std::string CannotBackUpMessage(const std::string& path, const std::string& why);
// The first copy of `file` could not be made beside it as `beside` (`why`), and was made
// as `made` in the backup folder instead, where later starts find it.
std::string OldCopyMovedMessage(const std::string& file, const std::string& beside, const std::string& why,
                                const std::string& made);

// What one export wrote into `path`: "/etc/hosts: 12 names written, 3 new, 1 taken out, 2 left
// out", the names of the program's own entries in the file, those the file did not hold
// before, the program's entries of before that are gone, and the records that gave no entry.
std::string ExportSummary(const std::string& path, size_t names, size_t fresh, size_t taken_out, size_t left_out);

// The caption of the boxes that warn without stopping anything (records left out of an
// export, a first copy made elsewhere); they show the warning icon.
inline constexpr const char* kWarningCaption = "Warning:";

// The hosts target has no usable IP to map names to: `ip` is empty, or no IPv4 or IPv6
// address.
std::string HostsIpMessage(const std::string& ip);
// The IPv6 address set for Hosts ("IPv6:") is not one.
std::string HostsIp6Message(const std::string& ip6);
// The names per line set for Hosts are not 1 to 9.
std::string HostsPerLineMessage(const std::string& per_line);

#include "targets/common/target_messages.h"

#include "runtime/platform/files.h"

namespace {
// Built piece by piece: GCC 12 warns falsely about "'" + text at -O3 (its bug 105651).
std::string Quoted(const std::string& path) {
  std::string quoted = "'";
  quoted += platform::NativePath(path);
  quoted += '\'';
  return quoted;
}
}  // namespace

std::string NoFileSetMessage(std::string_view target) {
  return "No file is set for " + std::string(target) + " (page \"Setting\")." + kNothingWritten;
}

std::string FileNotFoundMessage(const std::string& path) {
  return "File " + Quoted(path) + " not found." + kNothingWritten;
}

std::string CannotReadMessage(const std::string& path, const std::string& why) {
  return "Could not read " + Quoted(path) + ": " + why + ".";
}

std::string NotTextMessage(const std::string& path) {
  return "File " + Quoted(path) + " holds a NUL byte: it is not a text file that entries can be written into." +
         kNothingWritten;
}

std::string NoInsertionMessage(const std::string& path, std::string_view what) {
  return "File " + Quoted(path) + " holds no " + std::string(what) + "." + kNothingWritten;
}

std::string NotOwnedMessage(const std::string& path, std::string_view format) {
  return "File " + Quoted(path) + " was not written by Veltrane, and an export to " + std::string(format) +
         " replaces the whole file: choose a file of its own on page \"Setting\", panel \"DNS Resolvers\"." +
         kNothingWritten;
}

std::string BackupNotFoundMessage(std::string_view heading, const std::string& path, std::string_view target) {
  const std::string name(target);
  return std::string(heading) + "\r\n" + Quoted(path) + " does not exist, so no backup of it was made. " + name +
         " stays on: put the file back, and the next start backs it up; or name another file on page \"Setting\", "
         "panel \"" +
         name + "\" (none switches " + name + " off), and press \"Save\".";
}

std::string BackupFailedMessage(const std::string& from, const std::string& to, const std::string& why) {
  return "Could not back up " + Quoted(from) + " to " + Quoted(to) + ": " + why + ".";
}

std::string CannotBackUpMessage(const std::string& path, const std::string& why) {
  return "Could not back up " + Quoted(path) + ": " + why + ".";
}

std::string OldCopyMovedMessage(const std::string& file, const std::string& beside, const std::string& why,
                                const std::string& made) {
  return "The first copy of " + Quoted(file) + " could not be made beside it as " + Quoted(beside) + ": " + why +
         ". It was made as " + Quoted(made) + " instead, where later starts find it.";
}

std::string HostsIpMessage(const std::string& ip) {
  const std::string problem =
      ip.empty() ? "No IP is set for Hosts" : "The IP \"" + ip + "\" set for Hosts is not an IPv4 or IPv6 address";
  return problem +
         ": enter the address every name is to be mapped to (such as 127.0.0.1) in \"IP:\" on page "
         "\"Setting\", panel \"Hosts\", and press \"Save\"." +
         kNothingWritten;
}

std::string HostsIp6Message(const std::string& ip6) {
  return "The IPv6 address \"" + ip6 +
         "\" set for Hosts is not one: enter an IPv6 address (such as ::) in \"IPv6:\" on page \"Setting\", panel "
         "\"Hosts\", or leave it empty, and press \"Save\"." +
         kNothingWritten;
}

std::string HostsPerLineMessage(const std::string& per_line) {
  return "The names per line set for Hosts, \"" + per_line +
         "\", are not 1 to 9: enter a number from 1 to 9 in \"Names per line:\" on page \"Setting\", panel "
         "\"Hosts\", or leave it empty for 1, and press \"Save\"." +
         kNothingWritten;
}

std::string ExportSummary(const std::string& path, size_t names, size_t fresh, size_t taken_out, size_t left_out) {
  std::string summary = platform::NativePath(path);
  summary += ": ";
  summary += std::to_string(names);
  summary += names == 1 ? " name written, " : " names written, ";
  summary += std::to_string(fresh);
  summary += " new, ";
  summary += std::to_string(taken_out);
  summary += " taken out, ";
  summary += std::to_string(left_out);
  summary += " left out";
  return summary;
}

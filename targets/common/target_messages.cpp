#include "targets/common/target_messages.h"

#include "runtime/platform/files.h"

namespace {
std::string Quoted(const std::string& path) { return "'" + platform::NativePath(path) + "'"; }
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

std::string BackupFailedMessage(const std::string& from, const std::string& to, const std::string& why) {
  return "Could not back up " + Quoted(from) + " to " + Quoted(to) + ": " + why + ".";
}

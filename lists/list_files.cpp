#include "lists/list_files.h"

#include "elements/strings/str_case.h"
#include "elements/strings/trim.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"

// Lower-casing never makes or removes a blank, so trimming first gives the same record
// with one copy less.
std::string NormaliseRecord(std::string_view record) { return LowerCaseText(std::string(TrimBlanks(record))); }

std::optional<std::vector<std::string>> ReadRecordFile(const std::string& path) {
  auto bytes = platform::ReadFile(path);
  if (!bytes) return std::nullopt;
  std::string_view text = *bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return SplitLines(text, LineBreaks::Any);
}

bool SaveRecords(const std::string& path, const std::vector<std::string>& lines, std::string* why) {
  return platform::WriteFileAtomic(path, JoinLines(lines), why);
}

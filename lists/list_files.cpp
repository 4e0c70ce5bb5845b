#include "lists/list_files.h"

#include <cstring>
#include <functional>

#include "elements/strings/str_case.h"
#include "elements/strings/trim.h"
#include "runtime/lines.h"

// Lower-casing never makes or removes a blank, so trimming first gives the same record
// with one copy less.
std::string NormaliseRecord(std::string_view record) { return LowerCaseText(std::string(TrimBlanks(record))); }

uint64_t ContentHash(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

std::optional<std::string> NotTextReason(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return "is UTF-16 text";
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  if (!nul) return std::nullopt;
  const size_t at = size_t(static_cast<const char*>(nul) - bytes.data());
  return "holds a NUL byte at byte " + std::to_string(at + 1);
}

RecordFile ReadRecords(const std::string& path) {
  RecordFile file;
  file.stamp = platform::StampOf(path);
  platform::FileContent content = platform::ReadWholeFile(path);
  switch (content.result) {
    case platform::FileContent::Result::Missing: return file;
    case platform::FileContent::Result::Unreadable:
      file.state = RecordFile::State::Unreadable;
      file.why = std::move(content.why);
      return file;
    case platform::FileContent::Result::Read: break;
  }
  file.content_hash = ContentHash(content.bytes);
  std::string_view text = content.bytes;
  if (auto reason = NotTextReason(text)) {
    file.state = RecordFile::State::NotText;
    file.why = std::move(*reason);
  } else {
    file.state = RecordFile::State::Read;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  file.lines = SplitLines(text, LineBreaks::Any);
  return file;
}

std::string NotWholeMessage(const std::string& path, const RecordFile& file, std::string_view what_happens) {
  std::string name = "'";  // built by appends: GCC 12 warns falsely on "'" + text (its bug 105651)
  name += platform::NativePath(path);
  name += '\'';
  if (file.state == RecordFile::State::Unreadable)
    return "Could not read " + name + ": " + file.why + ". " + std::string(what_happens);
  const bool utf16 = file.why == "is UTF-16 text";
  return name + " " + file.why + ", so it cannot be read whole as text. " + std::string(what_happens) +
         (utf16 ? " Save the file as UTF-8 or ANSI text in a text editor, then try again."
                : " Remove the NUL bytes in a text editor (or save the file as UTF-8 or ANSI text), then try again.");
}

std::vector<std::string> LoadRecords(const std::string& path) {
  RecordFile file = ReadRecords(path);
  if (file.state == RecordFile::State::Unreadable) return {};
  return std::move(file.lines);
}

bool SaveRecords(const std::string& path, const std::vector<std::string>& lines, std::string* why,
                 RecordFile* written) {
  const std::string bytes = JoinLines(lines);
  if (!platform::WriteFileAtomic(path, bytes, why)) return false;
  if (written) {
    written->state = RecordFile::State::Read;
    written->content_hash = ContentHash(bytes);
    written->stamp = platform::StampOf(path);
  }
  return true;
}

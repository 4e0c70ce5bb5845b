#include "lists/list_files.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

#include "elements/strings/str_case.h"
#include "elements/strings/trim.h"
#include "runtime/lines.h"

// Lower-casing never makes or removes a blank, so trimming first gives the same record
// with one copy less.
std::string NormaliseRecord(std::string_view record) { return LowerCaseText(std::string(TrimBlanks(record))); }

void NormaliseEach(RecordList& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string_view record = records[i];
    if (IsPlainLowerCase(record) && TrimBlanks(record).size() == record.size()) continue;
    records.Replace(i, NormaliseRecord(record));
  }
}

uint64_t ContentHash(std::string_view bytes) {
  ContentHasher hasher;
  hasher.Add(bytes);
  return hasher.Value();
}

// Eight bytes a step, whatever pieces they come in: a byte that does not fill a word waits
// for the next piece.
void ContentHasher::Add(std::string_view bytes) {
  length_ += bytes.size();
  while (!bytes.empty()) {
    const size_t take = std::min(bytes.size(), size_t(8) - pending_size_);
    std::memcpy(pending_ + pending_size_, bytes.data(), take);
    pending_size_ += take;
    bytes.remove_prefix(take);
    if (pending_size_ < 8) break;
    uint64_t word;
    std::memcpy(&word, pending_, 8);
    state_ = std::rotl((state_ ^ word) * 0x9E3779B97F4A7C15ull, 29);
    pending_size_ = 0;
    // Whole words straight from the piece, while it has them.
    while (bytes.size() >= 8) {
      std::memcpy(&word, bytes.data(), 8);
      state_ = std::rotl((state_ ^ word) * 0x9E3779B97F4A7C15ull, 29);
      bytes.remove_prefix(8);
    }
  }
}

uint64_t ContentHasher::Value() const {
  uint64_t word = 0;
  std::memcpy(&word, pending_, pending_size_);
  uint64_t h = (state_ ^ word ^ length_) * 0xD6E8FEB86659FD93ull;
  return h ^ (h >> 32);
}

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
  const size_t mark = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  file.lines = RecordList::OfLines(std::move(content.bytes), mark, LineBreaks::Any);
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

RecordList LoadRecords(const std::string& path) {
  RecordFile file = ReadRecords(path);
  if (file.state == RecordFile::State::Unreadable) return {};
  return std::move(file.lines);
}

namespace {

template <class Lines>
bool SaveLines(const std::string& path, const Lines& lines, std::string* why, RecordFile* written) {
  platform::AtomicFileWriter file(path);
  ContentHasher hasher;
  BlockLineWriter out(file, "\r\n", &hasher);
  // A sorted list's records lie all over its buffer: each is asked for a few lines ahead.
  constexpr size_t kAhead = 16;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i + kAhead < lines.size()) __builtin_prefetch(std::string_view(lines[i + kAhead]).data());
    out.Line({lines[i]});
  }
  out.Flush();
  if (!file.Commit(why)) return false;
  if (written) {
    written->state = RecordFile::State::Read;
    written->content_hash = hasher.Value();
    written->stamp = platform::StampOf(path);
  }
  return true;
}

}  // namespace

bool SaveRecords(const std::string& path, const RecordList& lines, std::string* why, RecordFile* written) {
  return SaveLines(path, lines, why, written);
}

bool SaveRecords(const std::string& path, const std::vector<std::string>& lines, std::string* why,
                 RecordFile* written) {
  return SaveLines(path, lines, why, written);
}

BlockLineWriter::BlockLineWriter(platform::AtomicFileWriter& file, std::string_view ending, ContentHasher* hasher)
    : file_(file), ending_(ending), hasher_(hasher) {
  block_.reserve(kBlock + 512);
}

void BlockLineWriter::Line(std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) block_.append(piece);
  block_.append(ending_);
  if (block_.size() >= kBlock) Flush();
}

void BlockLineWriter::Flush() {
  if (hasher_) hasher_->Add(block_);
  file_.Write(block_.data(), block_.size());
  block_.clear();
}

#include "targets/common/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "runtime/platform/files.h"

namespace {

// The first CR, LF or NUL in [from, to), or `to`. Eight bytes a step while none of them
// is one: lines are long beside the breaks between them.
const char* FindStop(const char* from, const char* to) {
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  auto any_zero = [](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  for (; to - from >= 8; from += 8) {
    uint64_t word;
    std::memcpy(&word, from, 8);
    if (any_zero(word) | any_zero(word ^ (kOnes * '\r')) | any_zero(word ^ (kOnes * '\n'))) break;
  }
  for (; from < to; ++from) {
    const char c = *from;
    if (c == '\r' || c == '\n' || c == '\0') return from;
  }
  return to;
}

}  // namespace

std::string_view EndingBytes(LineEnding ending) {
  switch (ending) {
    case LineEnding::Lf: return "\n";
    case LineEnding::Cr: return "\r";
    case LineEnding::CrLf: break;
  }
  return "\r\n";
}

TLineReader TLineReader::File(const std::string& path, size_t chunk) {
  TLineReader reader;
  reader.done_ = true;  // until the file is open
  auto file = std::make_unique<platform::FileReader>(path);
  switch (file->State()) {
    case platform::FileReader::Result::Missing: return reader;
    case platform::FileReader::Result::Unreadable:
      reader.source_ = Source::Unreadable;
      reader.why_ = file->Why();
      return reader;
    case platform::FileReader::Result::Open: break;
  }
  reader.source_ = Source::Open;
  reader.done_ = false;
  reader.file_ = std::move(file);
  reader.chunk_ = std::max<size_t>(chunk, 1);
  reader.buffer_.reserve(reader.chunk_);
  return reader;
}

TLineReader TLineReader::Text(std::string_view text) {
  TLineReader reader;
  reader.source_ = Source::Open;
  reader.data_ = text;
  reader.at_end_ = true;
  return reader;
}

TLineReader::TLineReader(TLineReader&& other) noexcept
    : source_(other.source_),
      why_(std::move(other.why_)),
      file_(std::move(other.file_)),
      chunk_(other.chunk_),
      buffer_(std::move(other.buffer_)),
      data_(other.data_),
      pos_(other.pos_),
      scanned_(other.scanned_),
      at_end_(other.at_end_),
      done_(other.done_),
      nul_(other.nul_),
      crlf_(other.crlf_),
      lf_(other.lf_),
      cr_(other.cr_) {
  // A file reader's view points into its own buffer, which has just moved.
  if (file_ || !buffer_.empty()) data_ = buffer_;
}

TLineReader::~TLineReader() = default;

bool TLineReader::Refill() {
  if (at_end_) return false;
  // Keep the unread part, at the front of the buffer, and read behind it.
  buffer_.erase(0, pos_);
  pos_ = 0;
  const size_t kept = buffer_.size();
  // A line longer than the buffer makes it grow, so a long line costs its own length only.
  const size_t room = std::max(chunk_, kept);
  buffer_.resize(kept + room);
  long long n = file_->Read(buffer_.data() + kept, room);
  if (n < 0) {
    why_ = file_->Why();
    source_ = Source::Unreadable;
    n = 0;
  }
  buffer_.resize(kept + size_t(n));
  data_ = buffer_;
  if (n == 0) {
    at_end_ = true;
    file_.reset();
  }
  return n > 0;
}

bool TLineReader::Next(std::string_view& line) {
  if (done_) return false;
  for (;;) {
    const char* base = data_.data();
    const char* end = base + data_.size();
    const char* stop = FindStop(base + pos_ + scanned_, end);
    if (stop == end) {
      const size_t unread = data_.size() - pos_;
      if (Refill()) {
        scanned_ = unread;
        continue;
      }
      // The end of the file (or a failed read): what is left is the last line.
      done_ = true;
      if (pos_ >= data_.size()) return false;
      line = data_.substr(pos_);
      pos_ = data_.size();
      return true;
    }
    const size_t at = size_t(stop - base);
    if (*stop == '\r' && at + 1 == data_.size() && !at_end_) {
      // Whether an LF follows is in the part not read yet.
      scanned_ = at - pos_;
      Refill();
      continue;
    }
    line = data_.substr(pos_, at - pos_);
    scanned_ = 0;
    if (*stop == '\0') {
      nul_ = true;
      done_ = true;
      return !line.empty();
    }
    if (*stop == '\n') {
      ++lf_;
      pos_ = at + 1;
    } else if (at + 1 < data_.size() && data_[at + 1] == '\n') {
      ++crlf_;
      pos_ = at + 2;
    } else {
      ++cr_;
      pos_ = at + 1;
    }
    return true;
  }
}

LineEnding TLineReader::Ending() const {
  if (crlf_ >= lf_ && crlf_ >= cr_) return LineEnding::CrLf;
  return lf_ >= cr_ ? LineEnding::Lf : LineEnding::Cr;
}

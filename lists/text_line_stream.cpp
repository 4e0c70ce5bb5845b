#include "lists/text_line_stream.h"

#include <cstring>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

TextLineStream::TextLineStream(size_t longest, TakeLine take) : longest_(longest), take_(std::move(take)) {}

bool TextLineStream::Feed(std::string_view bytes) {
  if (stop_ != Stop::None) return false;
  if (!begun_) {
    const size_t wanted = std::min(kUtf8Mark.size() - head_.size(), bytes.size());
    head_.append(bytes.substr(0, wanted));
    bytes.remove_prefix(wanted);
    if (head_.size() < kUtf8Mark.size()) return true;
    if (!Begin()) return false;
  }
  return Take(bytes);
}

bool TextLineStream::End() {
  if (stop_ != Stop::None || (!begun_ && !Begin())) return false;
  if (partial_.empty()) return true;
  const std::string last = std::move(partial_);
  partial_ = std::string();
  return Line(last);
}

// The words and the order are NotTextReason's: a UTF-16 mark first, then the first NUL byte.
bool TextLineStream::Begin() {
  begun_ = true;
  const std::string head = std::move(head_);
  head_ = std::string();
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
    stop_ = Stop::NotText;
    not_text_ = "is UTF-16 text";
    return false;
  }
  std::string_view text = head;
  if (text.starts_with(kUtf8Mark)) {
    text.remove_prefix(kUtf8Mark.size());
    offset_ = kUtf8Mark.size();
  }
  return Take(text);
}

bool TextLineStream::Take(std::string_view bytes) {
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  const size_t text = nul ? size_t(static_cast<const char*>(nul) - bytes.data()) : bytes.size();
  if (!Split(bytes.substr(0, text))) return false;
  offset_ += text;
  if (!nul) return true;
  stop_ = Stop::NotText;
  not_text_ = "holds a NUL byte at byte " + std::to_string(offset_ + 1);
  return false;
}

bool TextLineStream::Split(std::string_view text) {
  if (text.empty()) return true;
  size_t start = 0;
  if (after_cr_) {
    after_cr_ = false;
    if (text.front() == '\n') start = 1;
  }
  // The next LF is looked for once and kept until the lines pass it, so that a text whose
  // lines end in CR alone is still read in one pass.
  size_t lf = 0;
  bool lf_known = false;
  while (start < text.size()) {
    if (!lf_known || (lf != std::string_view::npos && lf < start)) {
      const void* at = std::memchr(text.data() + start, '\n', text.size() - start);
      lf = at ? size_t(static_cast<const char*>(at) - text.data()) : std::string_view::npos;
      lf_known = true;
    }
    const size_t until = lf == std::string_view::npos ? text.size() : lf;
    const void* cr = std::memchr(text.data() + start, '\r', until - start);
    const size_t end = cr ? size_t(static_cast<const char*>(cr) - text.data()) : lf;
    const std::string_view piece = text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
    if (partial_.size() + piece.size() > longest_) {
      ++lines_;
      stop_ = Stop::LongLine;
      return false;
    }
    if (end == std::string_view::npos) {
      partial_.append(piece);
      return true;
    }
    if (partial_.empty()) {
      if (!Line(piece)) return false;
    } else {
      partial_.append(piece);
      const std::string line = std::move(partial_);
      partial_ = std::string();
      if (!Line(line)) return false;
    }
    start = end + 1;
    if (text[end] == '\r') {
      if (start == text.size()) after_cr_ = true;
      else if (text[start] == '\n') ++start;
    }
  }
  return true;
}

bool TextLineStream::Line(std::string_view line) {
  ++lines_;
  if (take_(line)) return true;
  stop_ = Stop::Taker;
  return false;
}

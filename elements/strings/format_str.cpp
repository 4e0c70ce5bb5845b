// Filling a mask with the texts of the numbered inputs.
#include "elements/strings/format_str.h"

#include <algorithm>

void TKXFormatStr::SetDataCount(int32_t count) {
  DataCount = std::max<int32_t>(count, 0);
  dataStr.assign(static_cast<size_t>(DataCount), TEventLink{});
}

namespace {

// The text still to scan: the rest of the mask with, on top of it, the rests of the inserted texts
// that are being scanned again (innermost last). Reading it front to back is the same as editing the
// mask in place and scanning on from the place of each insertion, without moving the tail of the
// text at every insertion.
class Pending {
 public:
  explicit Pending(const std::string& mask) { parts_.push_back({mask, 0, 0}); }

  // Drops the inserted texts that are read to their end; false when nothing is left.
  bool More() {
    while (!parts_.empty() && parts_.back().pos >= parts_.back().text.size()) parts_.pop_back();
    return !parts_.empty();
  }

  // The byte `ahead` places on (0 is the current one), or -1 behind the end.
  int Peek(size_t ahead) const {
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part) {
      const size_t left = part->text.size() - part->pos;
      if (ahead < left) return static_cast<unsigned char>(part->text[part->pos + ahead]);
      ahead -= left;
    }
    return -1;
  }

  // Moves `count` bytes on and appends them to `out`.
  void Copy(size_t count, std::string& out) {
    while (count > 0 && More()) {
      Part& top = parts_.back();
      const size_t n = std::min(count, top.text.size() - top.pos);
      out.append(top.text, top.pos, n);
      top.pos += n;
      count -= n;
    }
  }

  // Copies the bytes before the next "%" of the innermost text.
  void CopyPlain(std::string& out) {
    Part& top = parts_.back();
    const size_t stop = std::min(top.text.find('%', top.pos), top.text.size());
    out.append(top.text, top.pos, stop - top.pos);
    top.pos = stop;
  }

  void Skip(size_t count) {
    std::string dropped;
    Copy(count, dropped);
  }

  // Placeholder `number` put in `text`, which is to be scanned again.
  void Insert(std::string text, int64_t number) { parts_.push_back({std::move(text), 0, number}); }

  // True while scanning inside a text that placeholder `number` put in.
  bool Inside(int64_t number) const {
    return std::any_of(parts_.begin(), parts_.end(), [number](const Part& p) { return p.number == number; });
  }

 private:
  struct Part {
    std::string text;
    size_t pos;
    int64_t number;  // the placeholder that inserted it; 0 for the mask
  };
  std::vector<Part> parts_;
};

// Inserted texts are scanned again only up to this many bytes in all; beyond it they are taken as
// they stand, so that values that expand one another ("%2%2" in %1, "%3%3" in %2, ...) cannot
// grow the text without bound.
constexpr size_t kRescanLimit = size_t{1} << 20;

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

void TKXFormatStr::doFormat(TData& value, uint16_t) {
  if (DataCount <= 0) {
    FireEvent(onFormat, Mask);
    return;
  }
  static const TEventLink unlinked;
  std::string out;
  Pending pending(Mask);
  size_t rescanned = 0;
  while (pending.More()) {
    if (pending.Peek(0) != '%') {
      pending.CopyPlain(out);
      continue;
    }
    const int next = pending.Peek(1);
    if (next == -1) {  // a "%" in the last place is never examined
      pending.Copy(1, out);
      continue;
    }
    if (next == '%') {
      out += '%';
      pending.Skip(2);
      continue;
    }
    size_t length = 1;  // the "%" and the digits behind it, as many as there are
    int64_t n = 0;
    for (; IsDigit(pending.Peek(length)); ++length)
      n = std::min<int64_t>(n * 10 + (pending.Peek(length) - '0'), int64_t{1} << 40);  // saturates: never in range
    // A placeholder met inside the text that the same placeholder put in would expand forever
    // ("%1" whose value holds "%1"), so it is left as it stands.
    if (length == 1 || n < 1 || n > DataCount || pending.Inside(n)) {
      pending.Copy(length, out);
      continue;
    }
    pending.Skip(length);
    const size_t k = static_cast<size_t>(n) - 1;
    std::string text = InputText(value, k < dataStr.size() ? dataStr[k] : unlinked, std::string());
    if (SkipInserted || rescanned + text.size() > kRescanLimit) {
      out += text;
    } else {
      rescanned += text.size();
      pending.Insert(std::move(text), n);
    }
  }
  FireEvent(onFormat, std::move(out));
}

// TextLineStream: the lines of a text as its bytes come, piece by piece (a download, a file
// read in parts), by the rules ReadRecords reads a whole file by: CR LF, CR and a lone LF
// end a line, a UTF-8 byte-order mark at the start is no part of the first line, and a
// final line break adds no empty line. Only the line being read is held.
//
// The reading stops at the first thing wrong, in the order of the bytes, wherever the
// pieces are cut: bytes that are no 8-bit text (NotTextReason's words: a UTF-16 byte-order
// mark at the start, a NUL byte where it stands), a line longer than `longest` bytes (as
// soon as it is that long: no list a person keeps has one, and holding it would take
// memory without bound), or a line its taker refuses. The lines before it have been handed
// on by then: a caller that wants all or nothing drops what they gave.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TextLineStream {
 public:
  // Takes each line, in order; false stops the reading (the taker knows why).
  using TakeLine = std::function<bool(std::string_view line)>;
  enum class Stop { None, NotText, LongLine, Taker };

  TextLineStream(size_t longest, TakeLine take);

  // The next bytes; false once the reading has stopped.
  bool Feed(std::string_view bytes);
  // The end of the bytes: the last line, when no line break ends it. False when the
  // reading has stopped.
  bool End();

  Stop Stopped() const { return stop_; }
  // NotText: NotTextReason's words ("holds a NUL byte at byte 12").
  const std::string& NotText() const { return not_text_; }
  // The lines read so far; at a LongLine stop, the number of the long line.
  uint64_t Lines() const { return lines_; }

 private:
  bool Begin();
  bool Take(std::string_view bytes);
  bool Split(std::string_view text);
  bool Line(std::string_view line);

  size_t longest_;
  TakeLine take_;
  std::string head_;  // the first bytes, until there are three to tell a byte-order mark by
  bool begun_ = false;
  uint64_t offset_ = 0;    // bytes taken so far, a byte-order mark included
  std::string partial_;    // the line the last piece ended inside
  bool after_cr_ = false;  // the last piece ended with a CR, whose LF may start the next
  uint64_t lines_ = 0;
  Stop stop_ = Stop::None;
  std::string not_text_;
};

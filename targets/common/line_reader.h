// TLineReader: the lines of a configuration file, one at a time, without holding the file.
// Configuration and hosts files come from anywhere, so CR LF, CR and a lone LF all end a
// line; as in every text of the program, a NUL byte ends the text, and a final line break
// adds no empty line. The reader also finds the file's own line-break convention, so that
// a file written back keeps it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/platform/files.h"

enum class LineEnding : unsigned char { CrLf, Lf, Cr };

// The bytes that end a line of this convention.
std::string_view EndingBytes(LineEnding ending);

class TLineReader {
 public:
  enum class Source { Missing, Unreadable, Open };

  static constexpr size_t kChunk = size_t(1) << 20;

  // The file at `path` (the program's path form), read `chunk` bytes at a time (tests use
  // tiny chunks to put every byte at a chunk's edge). A missing file reads as no lines.
  static TLineReader File(const std::string& path, size_t chunk = kChunk);
  // Text already in memory; it must outlive the reader.
  static TLineReader Text(std::string_view text);

  TLineReader(TLineReader&& other) noexcept;
  TLineReader& operator=(TLineReader&&) = delete;
  ~TLineReader();

  // The next line, valid until the next call; false at the end of the text.
  bool Next(std::string_view& line);

  Source State() const { return source_; }
  // Why the file could not be read (at opening or part-way), in the system's words; empty otherwise.
  const std::string& Why() const { return why_; }
  // A NUL byte ended the text before the end of the file.
  bool StoppedAtNul() const { return nul_; }
  // After the last line: the break the file uses most. On a tie CR LF wins over LF, and LF
  // over CR; a file without any line break counts as CR LF, the program's own convention.
  LineEnding Ending() const;

 private:
  TLineReader() = default;
  // Reads more of the file behind the unread part; false at the end of the file or on an error.
  bool Refill();

  Source source_ = Source::Missing;
  std::string why_;
  std::unique_ptr<platform::FileReader> file_;  // while the file is open
  size_t chunk_ = kChunk;
  std::string buffer_;     // file readers: the unread part of the file read so far
  std::string_view data_;  // the bytes that can be looked at
  size_t pos_ = 0;         // start of the next line in data_
  size_t scanned_ = 0;     // bytes behind pos_ already known to hold no line break
  bool at_end_ = false;    // data_ reaches the end of the text
  bool done_ = false;
  bool nul_ = false;
  size_t crlf_ = 0, lf_ = 0, cr_ = 0;
};

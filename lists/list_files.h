// Reading and writing record files (the seven lists, text files, ban list files) and
// the normalisation of a record.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/platform/files.h"
#include "runtime/record_list.h"

// A record trimmed of the bytes 1 to 32 at both ends and lower-cased by LowerCaseText: as
// UTF-8 when it is UTF-8, otherwise A to Z and the Windows-1251 capitals.
std::string NormaliseRecord(std::string_view record);
// NormaliseRecord for every record of the list, each in its own place; a record it leaves as it
// is (a plain lower-case name, as nearly all are) is not copied.
void NormaliseEach(RecordList& records);

// What reading a record file found. Files come from anywhere, so CR LF, CR and a lone LF
// all end a line, and a UTF-8 byte-order mark at the start is not part of the first
// record. A file holding a NUL byte (a UTF-16 file from an editor holds many) is not
// 8-bit text: its lines are those before the first NUL, as every text of the program
// ends there, and it must never be saved over from them, which would lose the rest.
struct RecordFile {
  enum class State { Missing, Read, Unreadable, NotText };
  State state = State::Missing;
  RecordList lines;           // the file's bytes, byte-order mark and all, with the lines' places
  std::string why;            // Unreadable: the system's words; NotText: what the file holds
  uint64_t content_hash = 0;  // of the bytes read (Read and NotText)
  platform::FileStamp stamp;  // the file as it was read

  bool Whole() const { return state == State::Read || state == State::Missing; }
};
RecordFile ReadRecords(const std::string& path);

// Why the bytes are no 8-bit text ("is UTF-16 text", "holds a NUL byte at byte 12"), or
// nothing for text.
std::optional<std::string> NotTextReason(std::string_view bytes);
// What the user is told about a file that cannot be read whole: which file, why, and
// what to do. `what_happens` says what the program does instead ("The list is left as it is.").
std::string NotWholeMessage(const std::string& path, const RecordFile& file, std::string_view what_happens);

// The lines as far as the file can be read: none for a missing or unreadable file.
RecordList LoadRecords(const std::string& path);

// Replaces the file by the lines, each followed by CR LF, atomically. On failure the
// old file stays whole, `why` says why, and false is returned. On success `written`,
// when given, is set to the hash and the stamp of what was written.
bool SaveRecords(const std::string& path, const RecordList& lines, std::string* why, RecordFile* written = nullptr);
bool SaveRecords(const std::string& path, const std::vector<std::string>& lines, std::string* why,
                 RecordFile* written = nullptr);

// The hash kept of a record file's bytes, to tell later whether the file still holds them.
uint64_t ContentHash(std::string_view bytes);
// The same hash taken over bytes that come in pieces.
class ContentHasher {
 public:
  void Add(std::string_view bytes);
  uint64_t Value() const;

 private:
  uint64_t state_ = 0xCBF29CE484222325ull;
  uint64_t length_ = 0;
  char pending_[8] = {};
  size_t pending_size_ = 0;
};

// Lines put into a file a block at a time, each ended by `ending`, so that a file of a million
// lines is never held whole; `hasher`, when given, takes the bytes as they go.
class BlockLineWriter {
 public:
  BlockLineWriter(platform::AtomicFileWriter& file, std::string_view ending, ContentHasher* hasher = nullptr);
  // One line: the pieces joined with nothing between them.
  void Line(std::initializer_list<std::string_view> pieces);
  // Writes what is held; call before the file's Commit.
  void Flush();

 private:
  static constexpr size_t kBlock = 1 << 16;
  platform::AtomicFileWriter& file_;
  std::string_view ending_;
  ContentHasher* hasher_;
  std::string block_;
};

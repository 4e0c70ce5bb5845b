// THostsOwnEntries: the record of the lines the program wrote into one hosts file, kept in
// the program folder ("Written\hosts-<16 hex digits>.txt", named after the hosts file's
// path), so that an export takes out exactly its own entries whose names left the lists,
// and never a line of the user's.
//
// A line of the hosts file is the program's only when the record holds that very line (the
// IP, seven blanks and the names, as the program writes them), and each line of the record
// claims one line of the file: a line the user typed is never taken, even one that reads
// like the program's ("0.0.0.0       ads.example.com") but was there before the program wrote
// that name, or a copy the user made of one. A file without a record (the first export, or
// entries an older version wrote) holds no line of the program's: its entries count as the
// user's and stay.
//
// The record file: a first line naming the hosts file, then one line of the program's per
// line, LF line breaks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/record_index.h"
#include "targets/common/line_sink.h"

class THostsOwnEntries {
 public:
  // The record of the hosts file at `hosts_path`, in the program folder `program_dir` (with
  // its trailing separator).
  static std::string RecordPath(const std::string& program_dir, const std::string& hosts_path);
  // The record file's first line, for the hosts file at `hosts_path`.
  static std::string Heading(const std::string& hosts_path);

  // Reads the record of the hosts file at `hosts_path`; a missing record, or one that names
  // another hosts file, holds no line. False, with the system's reason in `why`, when it
  // cannot be read.
  bool Load(const std::string& record_path, const std::string& hosts_path, std::string* why);
  void Clear();

  // Saves a record: its heading, then the lines `put` gives, replacing the old record only
  // once all is written (its folder made when missing). False, with why, when the old stays.
  static bool Save(const std::string& record_path, const std::string& hosts_path,
                   const std::function<void(TLineSink&)>& put, std::string* why);

  // Whether `line` is a line of the record not claimed yet, which it then claims. The lines
  // of a file come mostly in the record's order: the line after the last one claimed is
  // tried before the table is asked.
  bool Claim(std::string_view line);
  // The line's position in the record, or RecordIndex::kNone; `from` (where the last one
  // found was, plus one) is tried first and moved on.
  uint32_t Find(std::string_view line, uint32_t& from) const;
  uint32_t Find(std::string_view line) const { return index_.Find(line); }
  bool Claimed(uint32_t at) const { return claimed_[at]; }

  size_t Size() const { return index_.Size(); }
  std::string_view Line(uint32_t at) const { return index_.Key(at); }

 private:
  std::string text_;  // the record file's bytes; the index numbers its lines after the first, each once
  RecordIndex index_;
  std::vector<bool> claimed_;
  uint32_t next_ = 0;  // the line after the last one claimed
};

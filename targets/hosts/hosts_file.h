// The hosts file as the program reads and writes it: the mapping lines it keeps, the names
// they map (the addresses the file already holds), the line of one exported name, and the
// banner a direct write puts on top.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"
#include "targets/hosts/hosts_own_entries.h"

// The names a line of a hosts file maps: none for an empty line or a comment line (its first
// byte above 32 is "#"); otherwise its fields after the first (the address it maps to), up to
// a "#", where fields are separated by runs of bytes 1 to 32, blanks and tabs alike. So
// "127.0.0.1 localhost" maps localhost, "10.0.0.5<tab>printer printer.lan # office" maps
// printer and printer.lan, and a line of one field maps none.
template <class Take>
void ForEachHostsName(std::string_view line, Take take) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t i = 0;
  while (i < line.size() && blank(line[i])) ++i;
  if (i == line.size() || line[i] == '#') return;
  const std::string_view mapping = line.substr(0, line.find('#', i));
  bool first = true;
  while (i < mapping.size()) {
    const size_t start = i;
    while (i < mapping.size() && !blank(mapping[i])) ++i;
    if (!first) take(mapping.substr(start, i - start));
    first = false;
    while (i < mapping.size() && blank(mapping[i])) ++i;
  }
}

// What a hosts file holds, line by line. The program's banner at the top of the file (the
// comment lines a direct write puts there, and the empty line below them) is its own and
// dropped: the next write puts it afresh. Every other line is the user's and kept exactly as
// it is, comment lines and empty lines too, except the lines of the program's own entries
// (`own`, when given: those claims), which the next write makes anew. The names of the lines
// kept (ForEachHostsName) are the addresses the file already holds.
// A UTF-8 byte-order mark at the start of the file is not part of its first line: the
// rewritten file starts with the banner, where the mark would be out of place.
class THostsScan : public TConfigScan {
 public:
  THostsOwnEntries* own = nullptr;
  // Where the first of the program's own entries stood among the lines kept: the place its
  // entries are written again. None when the file held none.
  std::optional<size_t> own_at;

  void Line(std::string_view line) override;
  void Finish() override;
  void Restart() override;

 private:
  void Kept(std::string_view line);

  size_t banner_ = 0;              // banner lines met so far at the top of the file
  bool banner_done_ = false;       // the top of the file is past the banner, or holds none
  std::vector<std::string> held_;  // the lines read as the banner so far, while undecided
};

// One entry line: the IP, seven blanks, the record.
inline void PutHostsEntry(TLineSink& sink, std::string_view record, std::string_view ip) {
  sink.Line({ip, "       ", record});
}

// The eighteen comment lines and the empty line a direct write puts before the kept lines:
// the banner, the number of names the program maps there, and the date ("05.12.2026").
void PutHostsBanner(TLineSink& sink, size_t names, std::string_view date);

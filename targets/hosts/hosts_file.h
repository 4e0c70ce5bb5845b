// The hosts file as the program reads and writes it: the mapping lines it keeps, the names
// they map (the addresses the file already holds), the line of one exported name, and the
// banner a direct write puts on top.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"

// What a hosts file holds, line by line:
// - an empty line, or one of blanks only, is dropped;
// - a comment line (its first byte above 32 is "#") is dropped: it is the program's banner
//   of the last write, or a remark, and the dated backups keep it;
// - every other line is a mapping line and is kept, trimmed, as it is, with a comment
//   behind its mapping too (a printer's name followed by "# office" is the user's data);
// - the names of a mapping line are its fields after the first (the address it maps to),
//   up to a "#", where fields are separated by runs of bytes 1 to 32, blanks and tabs
//   alike; each name counts as an address the file already holds. So "127.0.0.1 localhost"
//   holds localhost, "10.0.0.5<tab>printer printer.lan # office" holds printer and
//   printer.lan, and a line of one field holds none.
// A UTF-8 byte-order mark at the start of the file is not part of its first line: the
// rewritten file starts with the banner, where the mark would be out of place.
class THostsScan : public TConfigScan {
 public:
  void Line(std::string_view line) override;
};

// One entry line: the IP, seven blanks, the record.
inline void PutHostsEntry(TLineSink& sink, std::string_view record, std::string_view ip) {
  sink.Line({ip, "       ", record});
}

// The eighteen comment lines and the empty line a direct write puts before the kept lines:
// the banner, the number of names (existing and new), and the date ("05.12.2026").
void PutHostsBanner(TLineSink& sink, size_t names, std::string_view date);

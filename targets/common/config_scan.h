// TConfigScan: what a target reads from its file, one line at a time: the addresses the
// file already holds and, for the firewall configurations, the line before which new
// entries go. Each target has its own scan; the readers, importers and exporters feed it
// from a TLineReader.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "targets/common/line_reader.h"

class TConfigScan {
 public:
  virtual ~TConfigScan() = default;

  // Set before the scan: keep the lines a rewrite of the file needs (`lines`).
  bool keep_lines = false;

  std::vector<std::string> addresses;  // in file order, repeats kept
  std::vector<std::string> lines;      // with keep_lines: what the scan keeps of the file
  std::optional<size_t> insert_line;   // the file line new entries go before, when there is one
  size_t line_count = 0;               // lines of the file

  virtual void Line(std::string_view line) = 0;
  // After the last line.
  virtual void Finish() {}
  // Back to where the scan stood before its first line, keeping its memory, for a scan of
  // many small texts one after the other. A scan with state of its own resets it too.
  virtual void Restart() {
    addresses.clear();
    lines.clear();
    insert_line.reset();
    line_count = 0;
  }
};

// How a file read went, for the messages of the schemes.
struct TScanSource {
  TLineReader::Source state = TLineReader::Source::Missing;
  std::string why;   // with Unreadable: the system's reason
  bool nul = false;  // a NUL byte ended the text early
  LineEnding ending = LineEnding::CrLf;

  bool Read() const { return state == TLineReader::Source::Open; }
};

// Feeds every line of the reader to the scan, then finishes it.
TScanSource Scan(TLineReader reader, TConfigScan& scan);
inline TScanSource ScanFile(const std::string& path, TConfigScan& scan) { return Scan(TLineReader::File(path), scan); }
inline TScanSource ScanText(std::string_view text, TConfigScan& scan) { return Scan(TLineReader::Text(text), scan); }

// Case-sensitive substring test, the only test the targets make on a line.
inline bool Holds(std::string_view line, std::string_view part) { return line.find(part) != std::string_view::npos; }

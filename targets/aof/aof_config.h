// The Agnitum Outpost Firewall configuration as the program sees it: the section
// "[Content\Sites]" holds one blocked site per non-empty line; new sites go before the next
// section, or at the end of the file.
#pragma once

#include <string_view>

#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"

inline constexpr std::string_view kAofSection = "[Content\\Sites]";
inline constexpr std::string_view kAofBlockingSites = "[BlockingSites]";

// The section starts at the first non-empty line (trimmed of the bytes 1 to 32) holding
// kAofSection and ends before the next non-empty line holding "["; every non-empty line
// between is a site. The insertion line is the line of that next section header, counted
// in the file's own lines (blank ones included), or the line count when there is none.
class TAofScan : public TConfigScan {
 public:
  void Line(std::string_view line) override;
  void Finish() override;
  void Restart() override {
    TConfigScan::Restart();
    section_found = false;
    exact_header = false;
    part_ = Part::Before;
  }

  bool section_found = false;
  // Some line, untrimmed, is exactly kAofSection: the importer reads only such files.
  bool exact_header = false;

 private:
  enum class Part { Before, Inside, After } part_ = Part::Before;
};

// One entry line: the begin affix directly followed by the record.
inline void PutAofEntry(TLineSink& sink, std::string_view record, std::string_view begin) {
  sink.Line({begin, record});
}

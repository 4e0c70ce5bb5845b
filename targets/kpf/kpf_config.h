// The Kerio Personal Firewall configuration "update.cfg" as the program sees it:
// three-line <listitem> blocks whose middle line holds a "ServerPartUri" value, the last
// "</list>" line as the insertion line, and the value forms of exported records.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"

inline constexpr std::string_view kKpfItemStart = "<listitem>";
inline constexpr std::string_view kKpfItemEnd = "</listitem>";
inline constexpr std::string_view kKpfValueTag = "<variable name=\"ServerPartUri\">";
inline constexpr std::string_view kKpfListEnd = "</list>";

// Over the whole file: a line holding kKpfItemStart opens a block; a line holding
// kKpfItemEnd exactly two lines below the most recent opening closes it, and the line
// between gives an address when it holds "ServerPartUri". The last line holding
// kKpfListEnd is the insertion line.
class TKpfScan : public TConfigScan {
 public:
  void Line(std::string_view line) override;
  void Restart() override {
    TConfigScan::Restart();
    opening_.reset();
    middle_.clear();
  }

 private:
  std::optional<size_t> opening_;
  std::string middle_;  // the line after the most recent opening line
};

// The value written for a record, or none: a record ending in a digit is IP-style and
// gets the affixes (begin, record, end); any other record holding a "." gives
// ".*\" + the part before its last "." + "\." + the part after it + "*"; the rest none.
std::optional<std::string> KpfValue(std::string_view record, std::string_view begin, std::string_view end);

// The three lines of one entry; false (and nothing put) for a record that gives no value.
bool PutKpfEntry(TLineSink& sink, std::string_view record, std::string_view begin, std::string_view end);

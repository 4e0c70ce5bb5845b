// The Kerio Winroute Firewall configuration "winroute.cfg" as the program sees it: the URL
// group list, found by fixed substrings and never parsed as XML, and the six lines of one
// exported entry.
#pragma once

#include <optional>
#include <string_view>

#include "targets/common/config_scan.h"
#include "targets/common/line_sink.h"

inline constexpr std::string_view kKwfListStart = "<list name=\"UrlGroups\">";
inline constexpr std::string_view kKwfUrlTag = "<variable name=\"Url\">";
inline constexpr std::string_view kKwfListEnd = "</list>";

// The group list starts at the first line holding kKwfListStart; from that line on (itself
// included) every line holding kKwfUrlTag gives an address, and the first line holding
// kKwfListEnd ends the list and is the insertion line.
class TKwfScan : public TConfigScan {
 public:
  void Line(std::string_view line) override;
  void Restart() override {
    TConfigScan::Restart();
    start_line.reset();
    part_ = Part::Before;
  }

  std::optional<size_t> start_line;  // the line that opens the group list

  // The list has a place for new entries inside it: a closing line below its opening line.
  // A list opened and closed on one line has none; entries put before it would land
  // outside the list.
  bool CanInsert() const { return insert_line && start_line && *insert_line > *start_line; }

 private:
  enum class Part { Before, Inside, After } part_ = Part::Before;
};

struct TKwfSettings {
  std::string_view begin;  // begin_kwfall
  std::string_view end;    // end_kwfall
  std::string_view group;  // group_name
};

// The six lines of one entry, the record exactly as given.
void PutKwfEntry(TLineSink& sink, std::string_view record, const TKwfSettings& settings);

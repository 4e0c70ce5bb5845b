#include "targets/aof/aof_config.h"

#include "elements/strings/trim.h"
#include "targets/common/address_cleanup.h"

void TAofScan::Line(std::string_view line) {
  const size_t index = line_count++;
  if (keep_lines) lines.emplace_back(line);
  if (line == kAofSection) exact_header = true;
  const std::string_view text = TrimBlanks(line);
  if (text.empty()) return;
  switch (part_) {
    case Part::Before:
      if (Holds(text, kAofSection)) {
        part_ = Part::Inside;
        section_found = true;
      }
      return;
    case Part::Inside:
      if (Holds(text, "[")) {
        insert_line = index;
        part_ = Part::After;
        return;
      }
      if (auto address = CleanSiteLine(text)) addresses.push_back(std::move(*address));
      return;
    case Part::After: return;
  }
}

void TAofScan::Finish() {
  if (part_ == Part::Inside) insert_line = line_count;
}

#include "targets/kwf/kwf_config.h"

#include "targets/common/address_cleanup.h"

void TKwfScan::Line(std::string_view line) {
  const size_t index = line_count++;
  if (keep_lines) lines.emplace_back(line);
  if (part_ == Part::Before) {
    if (!Holds(line, kKwfListStart)) return;
    part_ = Part::Inside;
    start_line = index;
  }
  if (part_ != Part::Inside) return;
  if (Holds(line, kKwfUrlTag)) {
    if (auto address = CleanTaggedLine(line, kKwfUrlTag)) addresses.push_back(std::move(*address));
  }
  if (Holds(line, kKwfListEnd)) {
    insert_line = index;
    part_ = Part::After;
  }
}

void PutKwfEntry(TLineSink& sink, std::string_view record, const TKwfSettings& settings) {
  sink.Line({"  <listitem>"});
  sink.Line({"    <variable name=\"Enabled\">1</variable>"});
  sink.Line({"    <variable name=\"Description\">Veltrane</variable>"});
  sink.Line({"    <variable name=\"Name\">", settings.group, "</variable>"});
  sink.Line({"    <variable name=\"Url\">", settings.begin, record, settings.end, "</variable>"});
  sink.Line({"  </listitem>"});
}

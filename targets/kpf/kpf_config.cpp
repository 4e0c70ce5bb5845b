#include "targets/kpf/kpf_config.h"

#include "targets/common/address_cleanup.h"

void TKpfScan::Line(std::string_view line) {
  const size_t index = line_count++;
  if (keep_lines) lines.emplace_back(line);
  if (Holds(line, kKpfItemStart)) opening_ = index;
  if (Holds(line, kKpfItemEnd) && opening_ && index - *opening_ == 2 && Holds(middle_, "ServerPartUri")) {
    if (auto address = CleanTaggedLine(middle_, kKpfValueTag)) addresses.push_back(std::move(*address));
  }
  if (Holds(line, kKpfListEnd)) insert_line = index;
  // Only the line right after an opening can be the middle of a block.
  if (opening_ && index == *opening_ + 1) middle_.assign(line);
}

std::optional<std::string> KpfValue(std::string_view record, std::string_view begin, std::string_view end) {
  if (record.empty()) return std::nullopt;
  const char last = record.back();
  if (last >= '0' && last <= '9') return std::string(begin).append(record).append(end);
  const size_t dot = record.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  return std::string(".*\\").append(record.substr(0, dot)).append("\\.").append(record.substr(dot + 1)).append("*");
}

bool PutKpfEntry(TLineSink& sink, std::string_view record, std::string_view begin, std::string_view end) {
  const std::optional<std::string> value = KpfValue(record, begin, end);
  if (!value) return false;
  sink.Line({"  <listitem>"});
  sink.Line({"    <variable name=\"ServerPartUri\">", *value, "</variable>"});
  sink.Line({"  </listitem>"});
  return true;
}

#include "targets/hosts/hosts_file.h"

#include "elements/strings/trim.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

constexpr std::string_view kRule = "#===============================================================";

}  // namespace

void THostsScan::Line(std::string_view line) {
  if (line_count++ == 0 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  const std::string_view text = TrimBlanks(line);
  if (text.empty() || text.front() == '#') return;
  if (keep_lines) lines.emplace_back(text);
  const std::string_view mapping = text.substr(0, text.find('#'));
  bool first = true;
  for (size_t i = 0; i < mapping.size();) {
    while (i < mapping.size() && IsBlank(mapping[i])) ++i;
    const size_t start = i;
    while (i < mapping.size() && !IsBlank(mapping[i])) ++i;
    if (start == i) break;
    if (!first) addresses.emplace_back(mapping.substr(start, i - start));
    first = false;
  }
}

void PutHostsBanner(TLineSink& sink, size_t names, std::string_view date) {
  sink.Line({kRule});
  sink.Line({"#"});
  sink.Line({"#                -=Created with Veltrane=-"});
  sink.Line({"#"});
  sink.Line({"#"});
  sink.Line({"#                  Powered by www.veltrane.org"});
  sink.Line({"#"});
  sink.Line({"#                               URL:"});
  sink.Line({"#"});
  sink.Line({"#     https://www.veltrane.org/support"});
  sink.Line({"#"});
  sink.Line({"#"});
  sink.Line({"#"});
  const std::string count = std::to_string(names);
  sink.Line({"#                    Number of URL Records: ", count});
  sink.Line({"#"});
  sink.Line({"#                           ", date});
  sink.Line({"#"});
  sink.Line({kRule});
  sink.Line({""});
}

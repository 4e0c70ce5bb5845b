// The program's line rules for text files and multi-line texts: a line ends at CR
// or CR LF, a lone LF is an ordinary character (unless LineBreaks::Any is asked for),
// a NUL byte ends the text, and a final line break adds no empty line. Writing puts
// CR LF behind every line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class LineBreaks {
  CrOrCrLf,  // the program's own rule: a lone LF is an ordinary character
  Any,       // CR LF, CR and a lone LF all end a line: files written anywhere, LF-only ones included
};

std::vector<std::string> SplitLines(std::string_view text, LineBreaks breaks = LineBreaks::CrOrCrLf);
// SplitLines without the copies: line(from, size) for each line of `text`, by its place in
// `text`, in order.
template <class Line>
void EachLineOf(std::string_view text, LineBreaks breaks, Line line);
std::string JoinLines(const std::vector<std::string>& lines);

namespace lines_detail {
// The end of `text` at its first NUL byte.
std::string_view UpToNul(std::string_view text);
// The first line break at or after `from`, or npos; `lf` keeps the next LF found between calls.
size_t FindBreak(std::string_view text, size_t from, LineBreaks breaks, size_t& lf);
size_t FirstLf(std::string_view text, LineBreaks breaks);
}  // namespace lines_detail

template <class Line>
void EachLineOf(std::string_view text, LineBreaks breaks, Line line) {
  text = lines_detail::UpToNul(text);
  size_t start = 0;
  size_t lf = lines_detail::FirstLf(text, breaks);
  while (start < text.size()) {
    const size_t end = lines_detail::FindBreak(text, start, breaks, lf);
    if (end == std::string_view::npos) {
      line(start, text.size() - start);
      break;
    }
    line(start, end - start);
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

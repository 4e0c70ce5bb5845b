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
std::string JoinLines(const std::vector<std::string>& lines);

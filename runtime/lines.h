// The program's line rules for text files and multi-line texts: a line ends at CR
// or CR LF, a lone LF is an ordinary character, a NUL byte ends the text, and a
// final line break adds no empty line. Writing puts CR LF behind every line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

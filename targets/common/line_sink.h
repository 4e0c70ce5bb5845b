// TLineSink: where the targets put the lines they make (entry lines, rewritten files,
// add-on files). A line comes in pieces, so that an entry line made of fixed text, the
// settings and a record is never built as a text of its own; a million records make six
// million lines.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TLineSink {
 public:
  virtual ~TLineSink() = default;
  // One line: the pieces joined with nothing between them.
  virtual void Line(std::initializer_list<std::string_view> pieces) = 0;
};

// Keeps the lines, for small outputs and for tests.
class TLineCollector : public TLineSink {
 public:
  std::vector<std::string> lines;

  void Line(std::initializer_list<std::string_view> pieces) override {
    std::string& line = lines.emplace_back();
    for (std::string_view piece : pieces) line += piece;
  }
};

// Joins the lines into one text, each ended by CR LF, as a file would hold them.
class TLineJoiner : public TLineSink {
 public:
  std::string text;
  size_t lines = 0;

  void Clear() {
    text.clear();
    lines = 0;
  }
  void Line(std::initializer_list<std::string_view> pieces) override {
    for (std::string_view piece : pieces) text += piece;
    text += "\r\n";
    ++lines;
  }
};

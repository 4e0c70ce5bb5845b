// TConfigWriter: writes a file line by line with the line break it is given, streaming to
// a temporary file that replaces the old one only when everything was written (the file
// layer's atomic save, which keeps the permission bits and owner). A failure leaves the
// old file whole and says why.
#pragma once

#include <string>

#include "runtime/platform/files.h"
#include "targets/common/line_reader.h"
#include "targets/common/line_sink.h"

class TConfigWriter : public TLineSink {
 public:
  TConfigWriter(const std::string& path, LineEnding ending);

  void Line(std::initializer_list<std::string_view> pieces) override;

  // Puts the file in place; false, with the system's reason in `why`, when the old file stays.
  bool Commit(std::string* why);

 private:
  void Flush();

  platform::AtomicFileWriter file_;
  std::string_view ending_;
  std::string buffer_;
};

// TConfigWriter: writes a file line by line with the line break it is given, streaming to
// a temporary file that replaces the old one only when everything was written (the file
// layer's atomic save, which keeps the permission bits and owner). A failure leaves the
// old file whole and says why.
//
// A direct write into a target's file may ask the system for its permission (the hosts
// file in /etc, written by a normal user): when the system refuses the write for want of
// permission, the lines are kept instead of streamed, and Commit hands them to the system's
// elevated write (runtime/platform/elevation.h), which asks through the system's prompt.
// A direct write never replaces a file that has other names (hard links): the other names
// would keep the old content, and the elevated side refuses such a file for that reason too.
#pragma once

#include <optional>
#include <string>

#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "targets/common/line_reader.h"
#include "targets/common/line_sink.h"

// What a writer does when the system refuses the write for want of permission.
enum class WhenRefused {
  Fail,       // the save fails (add-on files, the program's own files)
  AskSystem,  // the system is asked for its permission, unless the process has it already
};

class TConfigWriter : public TLineSink {
 public:
  TConfigWriter(const std::string& path, LineEnding ending, WhenRefused refused = WhenRefused::Fail);

  void Line(std::initializer_list<std::string_view> pieces) override;

  // Puts the file in place; false, with the system's reason in `why`, when the old file stays.
  bool Commit(std::string* why);

  // What became of the request for the system's permission, when one was made.
  const std::optional<platform::ElevatedWrite>& Asked() const { return asked_; }

 private:
  void Flush();

  std::string path_;
  platform::AtomicFileWriter file_;
  std::string_view ending_;
  std::string buffer_;
  bool holding_ = false;      // the content is kept whole for the system's elevated write
  bool hard_linked_ = false;  // a direct write into a file with other names: refused
  std::optional<platform::ElevatedWrite> asked_;
};

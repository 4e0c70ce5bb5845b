// Looks at the file a write with the system's permission would replace, and at every folder
// above it, without following links, and judges what it saw by the rules of write_rules.h.
// The elevated side runs it before it writes; the program runs it before it asks, so that
// nobody is asked for a permission the elevated side would not use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/platform/write_rules.h"

namespace platform {

struct WriteSurvey {
  WriteRefusal refusal = WriteRefusal::None;
  // The file the new one takes its access from: the file itself, or NAME for a first copy
  // NAME.old (then `new_copy`), and which file it was when it was looked at.
  std::string like;
  bool new_copy = false;
  // A resolver file of the program's own made new (no file to take access from): it is
  // the administrator's, readable by all, as the files beside it.
  bool new_file = false;
  uint64_t device = 0, id = 0;
  uint32_t owner = 0, group = 0, mode = 0;
};

// `path` in the system's own form, `root` the folder it must lie below, `bytes` the new
// content (a first copy must hold its source's bytes).
WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes);

#ifndef _WIN32
// Opens for reading the regular file `survey.like` names, never through a link, never
// waiting on a FIFO; -1 when it is no longer the file that was looked at.
int OpenSurveyed(const WriteSurvey& survey);
#endif

}  // namespace platform

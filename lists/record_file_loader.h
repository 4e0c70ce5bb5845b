// RecordFileLoader: what the schemes that offer the records of a file share. A file is used
// whole or not at all: one that cannot be read, holds a NUL byte or is not 8-bit text is told
// in a box naming the file and the reason, and event 1 (onCancel) fires; offering the records
// before a NUL byte would pass the rest over without a word.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/list_files.h"
#include "runtime/scheme.h"
#include "widgets/message.h"

class RecordFileLoader : public TScheme {
 public:
  enum Input : uint16_t { kDoLoad = 0, kInputCount };
  enum Data : uint16_t { kDataKnown = 0 };
  enum Event : uint16_t { kOnLine = 0, kOnCancel = 1 };

 protected:
  // One input: the file name.
  explicit RecordFileLoader(TKXWin* parent);

  // The lines of the file, or nothing when it was told and onCancel fired.
  std::optional<RecordList> ReadWholeOrTell(const std::string& path);
  // Whether the file was read whole; if not, it is told and onCancel fires.
  bool WholeOrTell(const std::string& path, const RecordFile& file);

 private:
  TKXMessage not_whole_;
};

// TConfigReader: the configuration reader every target builds inside its exporter. It reads
// the file its path setting names, keeps the lines a rewrite needs, and reports the
// addresses the file already holds.
//
// Input 0 doRead. Event 0 onAddress (one address, in file order). Readable outputs:
// 0 varInsertLine (the line new entries go before, -1 when there is none), 1 varLineCount,
// 2 varLines (an array of the lines kept), 3 varLineBreak (the file's line break, as text).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "elements/strlist/str_list.h"
#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "targets/common/config_scan.h"

class TConfigReader : public TScheme {
 public:
  enum Input : uint16_t { kDoRead = 0, kInputCount };
  enum Event : uint16_t { kOnAddress = 0, kEventCount };
  enum Var : uint16_t { kVarInsertLine = 0, kVarLineCount = 1, kVarLines = 2, kVarLineBreak = 3, kVarCount };

  void doRead(TData& value, uint16_t index);
  void varInsertLine(TData& value, uint16_t index);
  void varLineCount(TData& value, uint16_t index);
  void varLineBreak(TData& value, uint16_t index);

  // For the exporter that holds the reader: the last read as it went.
  const std::string& Path() const { return path_; }
  const TScanSource& Source() const { return source_; }
  const TConfigScan& Scanned() const { return *scan_; }
  const RecordList& Lines() const { return lines_.Lines(); }

  // A fresh scan of the target's kind: the exporter reads its own entries with it.
  virtual std::unique_ptr<TConfigScan> NewScan() const = 0;
  // The scan the file itself is read with (the hosts file's knows the program's own lines).
  virtual std::unique_ptr<TConfigScan> FileScan() const { return NewScan(); }

 protected:
  // `path_variable` names the global variable holding the file's path.
  TConfigReader(TKXWin* parent, const char* path_variable);

 private:
  TKXGlobalVar& path_variable_;
  TKXStrList& lines_;
  std::unique_ptr<TConfigScan> scan_;
  TScanSource source_;
  std::string path_;
};

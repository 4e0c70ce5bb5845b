// HostsFileReader: reads the hosts file as `hosts` names it, for HostsExporter: the lines it
// keeps and the names they map. Given the record of the program's own lines (ClaimWith),
// those lines are the program's: neither kept nor counted as names the file holds.
//
// Input 0 doRead. Event 0 onAddress (one name the file holds). Readable outputs:
// 0 varInsertLine (always -1), 1 varLineCount (kept lines), 2 varLines (the kept lines),
// 3 varLineBreak.
#pragma once

#include "targets/common/config_reader.h"
#include "targets/hosts/hosts_file.h"

class HostsFileReader : public TConfigReader {
 public:
  explicit HostsFileReader(TKXWin* parent) : TConfigReader(parent, "hosts") {}

  // The record the next read claims the program's lines from; nullptr: none.
  void ClaimWith(THostsOwnEntries* own) { own_ = own; }

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<THostsScan>(); }
  std::unique_ptr<TConfigScan> FileScan() const override {
    auto scan = std::make_unique<THostsScan>();
    scan->own = own_;
    return scan;
  }

 private:
  THostsOwnEntries* own_ = nullptr;
};

// HostsFileReader: reads the hosts file as `hosts` names it, for HostsExporter: the mapping
// lines it keeps and the names they map.
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

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<THostsScan>(); }
};

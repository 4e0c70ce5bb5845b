// KpfConfigReader: reads "update.cfg" as `update_cfg` names it, for KpfExporter: the
// "ServerPartUri" addresses and the last line holding "</list>".
//
// Input 0 doRead. Event 0 onAddress. Readable outputs: 0 varInsertLine, 1 varLineCount,
// 2 varLines, 3 varLineBreak.
#pragma once

#include "targets/common/config_reader.h"
#include "targets/kpf/kpf_config.h"

class KpfConfigReader : public TConfigReader {
 public:
  explicit KpfConfigReader(TKXWin* parent) : TConfigReader(parent, "update_cfg") {}

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<TKpfScan>(); }
};

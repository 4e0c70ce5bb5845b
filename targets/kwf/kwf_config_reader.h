// KwfConfigReader: reads "winroute.cfg" as `winroute_cfg` names it, for KwfExporter: the
// addresses of the URL group list and the line that closes it.
//
// Input 0 doRead. Event 0 onAddress. Readable outputs: 0 varInsertLine, 1 varLineCount,
// 2 varLines, 3 varLineBreak.
#pragma once

#include "targets/common/config_reader.h"
#include "targets/kwf/kwf_config.h"

class KwfConfigReader : public TConfigReader {
 public:
  explicit KwfConfigReader(TKXWin* parent) : TConfigReader(parent, "winroute_cfg") {}

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<TKwfScan>(); }
};

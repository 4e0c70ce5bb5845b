// AofConfigReader: reads the Outpost configuration as `config_ini` names it, for
// AofExporter: the sites of the "[Content\Sites]" section and the line that starts the
// next section.
//
// Input 0 doRead. Event 0 onAddress. Readable outputs: 0 varInsertLine, 1 varLineCount,
// 2 varLines (the file's own lines), 3 varLineBreak.
#pragma once

#include "targets/aof/aof_config.h"
#include "targets/common/config_reader.h"

class AofConfigReader : public TConfigReader {
 public:
  explicit AofConfigReader(TKXWin* parent) : TConfigReader(parent, "config_ini") {}

  std::unique_ptr<TConfigScan> NewScan() const override { return std::make_unique<TAofScan>(); }
};

// AofImporter: reads the "[Content\Sites]" section of an Outpost configuration the user
// picks and offers the sites no list holds yet, the last site of the section first. Only a
// file with a line that is exactly "[Content\Sites]" is read.
//
// Input 0 doImport. Data input 0 dataKnown (the known records, an array). Events:
// 0 onAddress (one address, last first), 1 onCancel (nothing was loaded).
#pragma once

#include "targets/common/target_importer.h"

class AofImporter : public TTargetImporter {
 public:
  explicit AofImporter(TKXWin* parent);

 protected:
  std::vector<std::string> Extract(const std::string& path, TScanSource& source) const override;
};

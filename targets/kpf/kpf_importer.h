// KpfImporter: reads the "ServerPartUri" entries of an "update.cfg" the user picks and
// offers the addresses no list holds yet, in file order.
//
// Input 0 doImport. Data input 0 dataKnown (the known records, an array). Events:
// 0 onAddress (one address, in file order), 1 onCancel (nothing was loaded).
#pragma once

#include "targets/common/target_importer.h"

class KpfImporter : public TTargetImporter {
 public:
  explicit KpfImporter(TKXWin* parent);

 protected:
  std::vector<std::string> Extract(const std::string& path, TScanSource& source) const override;
};

// AofExporter: writes the records it is given into the target's configuration, or into
// an add-on file, leaving out those the configuration already holds.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include <string>
#include <vector>

#include "runtime/scheme.h"

class AofExporter : public TScheme {
 public:
  explicit AofExporter(TKXWin* parent);

  void doClear(TData& value, uint16_t index);
  void doAdd(TData& value, uint16_t index);
  void doExport(TData& value, uint16_t index);

 private:
  std::vector<std::string> pending_;
};

// AofExporter: puts the records it is given into the "[Content\Sites]" section of the
// Outpost configuration, before the next section, or into a blocking-sites file (".ct");
// records the section already holds are left out.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class AofExporter : public TTargetExporter {
 public:
  explicit AofExporter(TKXWin* parent);

 protected:
  void PutEntries(TLineSink& sink) override;
  void PutAddOnHead(TLineSink& sink) override;
  void WriteDirect() override;

 private:
  TKXGlobalVar& begin_;
};

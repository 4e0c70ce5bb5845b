// KpfExporter: puts the records it is given into "update.cfg" as three-line
// "ServerPartUri" entries, before the last line holding "</list>", or into an add-on file;
// records the file already holds, and records that give no value, are left out.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class KpfExporter : public TTargetExporter {
 public:
  explicit KpfExporter(TKXWin* parent);

 protected:
  void PutEntries(TLineSink& sink) override;
  void WriteDirect() override;

 private:
  TKXGlobalVar &begin_, &end_;
};

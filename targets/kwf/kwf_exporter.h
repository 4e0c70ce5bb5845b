// KwfExporter: puts the records it is given into the URL group list of "winroute.cfg" as
// six-line entries, directly before the line that closes the list, or into an add-on file;
// records the list already holds are left out.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class KwfExporter : public TTargetExporter {
 public:
  explicit KwfExporter(TKXWin* parent);

 protected:
  void PutEntries(TLineSink& sink) override;
  void WriteDirect() override;

 private:
  TKXGlobalVar &begin_, &end_, &group_;
};

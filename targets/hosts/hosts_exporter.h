// HostsExporter: maps the records it is given to the IP of the settings in the hosts file,
// rewritten with the program's banner, the record count and the date above the lines it
// keeps, or in an add-on file; names the file already maps are left out.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class HostsExporter : public TTargetExporter {
 public:
  explicit HostsExporter(TKXWin* parent);

 protected:
  void Filtered() override;
  void PutEntries(TLineSink& sink) override;
  void WriteDirect() override;

 private:
  TKXGlobalVar& ip_;
  // The records of the last export: every export takes them out of the pending list.
  std::vector<std::string> work_;
};

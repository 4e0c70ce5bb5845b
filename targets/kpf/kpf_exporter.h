// KpfExporter: puts the records it is given into "update.cfg" as three-line
// "ServerPartUri" entries, before the last line holding "</list>", or into an add-on file;
// records the file already holds, records that give no value, and records whose value the
// reader would not find again (a name such as host2, written with the IP affixes, has no
// "." once cleaned) are left out.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include <string>

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class KpfExporter : public TTargetExporter {
 public:
  explicit KpfExporter(TKXWin* parent);

 protected:
  void LoadSettings() override;
  void PutEntry(TLineSink& sink, std::string_view record) override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void WriteDirect() override;

 private:
  TKXGlobalVar &begin_, &end_;
  std::string begin_text_, end_text_;
};

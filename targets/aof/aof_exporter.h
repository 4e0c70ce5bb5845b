// AofExporter: puts the records it is given into the "[Content\Sites]" section of the
// Outpost configuration, before the next section, or into a blocking-sites file (".ct");
// records the section already holds are left out, and so are sites the section's reader
// would not find again (without a ".", or starting a section of their own).
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include <string>

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class AofExporter : public TTargetExporter {
 public:
  explicit AofExporter(TKXWin* parent);

 protected:
  void LoadSettings() override;
  void PutEntry(TLineSink& sink, std::string_view record) override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void PutAddOnHead(TLineSink& sink) override;
  void WriteDirect() override;

 private:
  TKXGlobalVar& begin_;
  std::string begin_text_;
};
